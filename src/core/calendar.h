// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QDate>
#include <QDateTime>
#include <QTimeZone>

namespace wrenfold::core {

/// The user's calendar: the time zone that splits an instant into a day, and the first
/// day of the week. Gregorian only.
struct Calendar {
    QTimeZone timeZone = QTimeZone::systemTimeZone();
    Qt::DayOfWeek firstDayOfWeek = Qt::Monday;

    /// The system time zone and the locale's first weekday (which follows LC_TIME).
    static Calendar current();

    /// The calendar day of `instant` in this time zone. An invalid instant gives an invalid
    /// date.
    QDate dayOf(const QDateTime &instant) const;

    /// Midnight at the start of `day` in this time zone (or the first valid instant of
    /// that day when midnight is skipped by a daylight-saving change).
    QDateTime startOfDay(const QDate &day) const;

    /// Weekday number as the flows file stores it: 1 Sunday, 2 Monday ... 7 Saturday.
    static int weekdayNumber(const QDate &day);

    friend bool operator==(const Calendar &, const Calendar &) = default;
};

} // namespace wrenfold::core
