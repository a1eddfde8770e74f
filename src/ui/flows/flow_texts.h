// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/journal.h"

#include <QDate>
#include <QLocale>
#include <QString>

namespace wrenfold::ui {

/// The rhythm picker's name of `schedule`: "Every day", "Selected weekdays", "Weekly",
/// "No schedule".
QString rhythmName(core::HabitSchedule schedule);

/// The flow row's habit line: "Habit · Every day" ... "Habit · No schedule".
QString habitText(core::HabitSchedule schedule);

/// The date with an abbreviated month and no weekday, in `locale`'s order ("Dec 6, 2026",
/// "6. Dez. 2026"). An invalid date gives "".
QString abbreviatedDate(const QDate &day, const QLocale &locale = QLocale());

/// The month spelled out with its year ("December 2026", "Dezember 2026").
QString monthTitle(const QDate &day, const QLocale &locale = QLocale());

} // namespace wrenfold::ui
