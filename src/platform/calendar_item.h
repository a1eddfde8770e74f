// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QColor>
#include <QDateTime>
#include <QList>
#include <QString>

namespace wrenfold::platform {

/// One calendar event as the app shows it; identity is `id` (UID plus the occurrence's
/// start, so every occurrence of a recurring event has its own).
struct CalendarItem {
    QString id;
    QString title;
    QDateTime start;
    QDateTime end;
    bool isAllDay = false;
    QColor color;
    friend bool operator==(const CalendarItem &, const CalendarItem &) = default;
};

/// Permission to read events, by the numbers the settings store.
enum class CalendarAuthorization {
    notDetermined = 0,
    restricted = 1,
    denied = 2,
    fullAccess = 3,
    writeOnly = 4,
};

} // namespace wrenfold::platform
