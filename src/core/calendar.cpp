// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/calendar.h"

#include <QLocale>

namespace wrenfold::core {

Calendar Calendar::current()
{
    return Calendar{QTimeZone::systemTimeZone(), QLocale::system().firstDayOfWeek()};
}

QDate Calendar::dayOf(const QDateTime &instant) const
{
    if (!instant.isValid())
        return {};
    return instant.toTimeZone(timeZone).date();
}

QDateTime Calendar::startOfDay(const QDate &day) const
{
    return day.startOfDay(timeZone);
}

int Calendar::weekdayNumber(const QDate &day)
{
    // Qt counts Monday 1 ... Sunday 7; the stored numbers count Sunday 1 ... Saturday 7.
    return day.dayOfWeek() % 7 + 1;
}

} // namespace wrenfold::core
