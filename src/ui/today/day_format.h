// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

namespace wrenfold::platform {
struct CalendarItem;
}

namespace wrenfold::ui {

/// The day as a title: full weekday, day of the month and full month, without the year,
/// in `locale`'s order ("Saturday, 5 December" in British English, "Saturday, December 5"
/// in American English, "Samstag, 5. Dezember" in German). An invalid date gives "".
QString dayTitle(const QDate &day, const QLocale &locale = QLocale());

/// The day as a title with its year: "Saturday, 5 December 2026" in British English,
/// "Saturday, December 5, 2026" in American English, "Samstag, 5. Dezember 2026" in
/// German. An invalid date gives "".
QString dayTitleWithYear(const QDate &day, const QLocale &locale = QLocale());

/// The day in a list: abbreviated month, no weekday ("Dec 5, 2026", "5 Dec 2026",
/// "5. Dez. 2026"). An invalid date gives "".
QString abbreviatedDate(const QDate &day, const QLocale &locale = QLocale());

/// An event's time line: "All day" for all-day events, otherwise the start and end times
/// in the locale's short time format joined by an en dash without spaces ("09:00–10:00").
/// Times are shown in the user's time zone.
QString eventTimeText(const platform::CalendarItem &item, const QLocale &locale = QLocale());

/// `time` in `locale`'s short time format, never with seconds, even where that format
/// has them (the C locale's "HH:mm:ss" gives "08:00"). An invalid time gives "".
QString shortTime(const QTime &time, const QLocale &locale = QLocale());

/// `instant` moved to `day`, keeping its time of day and time zone; on a day where that
/// time does not exist (a daylight-saving gap) Qt moves it forward past the gap.
QDateTime withDay(const QDateTime &instant, const QDate &day);

} // namespace wrenfold::ui
