// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QDate>
#include <QLocale>
#include <QStringList>

namespace wrenfold::ui {

/// Empty grid positions before the 1st of `month`'s month when weeks start on
/// `firstDay`: 0 to 6. A month starting on a Sunday has six in a Monday-first week and
/// none in a Sunday-first one. An invalid date gives 0.
int leadingEmptyCells(const QDate &month, Qt::DayOfWeek firstDay);

/// The seven short stand-alone weekday names of `locale`, starting with `firstDay`
/// ("Mo" ... "So" in German with Monday first).
QStringList weekdayNames(Qt::DayOfWeek firstDay, const QLocale &locale = QLocale());

/// The month written out in full with its year, in the locale's order: "December 2026",
/// "Dezember 2026", "2026年12月". An invalid date gives "".
QString monthTitle(const QDate &month, const QLocale &locale = QLocale());

} // namespace wrenfold::ui
