// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/today/day_format.h"

#include "platform/calendar_item.h"

#include <QCoreApplication>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

// Removes the year field and the separators that belonged to it from a QLocale date
// pattern: "dddd, d MMMM yyyy" -> "dddd, d MMMM", "dddd, MMMM d, yyyy" -> "dddd, MMMM d",
// "yyyy年M月d日dddd" -> "M月d日dddd", "dddd d 'de' MMMM 'de' yyyy" -> "dddd d 'de' MMMM".
QString withoutYear(QString pattern)
{
    static const QRegularExpression yearWithUnit(u"y+\\s*[年년]\\s*"_s);
    static const QRegularExpression trailingYear(u"[\\s,./-]*(?:'[^']*'\\s*)?y+[\\s.]*$"_s);
    static const QRegularExpression leadingYear(u"^y+[\\s,./-]*"_s);
    static const QRegularExpression anyYear(u"[\\s,./-]*y+"_s);
    pattern.remove(yearWithUnit);
    pattern.remove(trailingYear);
    pattern.remove(leadingYear);
    pattern.remove(anyYear);
    return pattern.trimmed();
}

// Some locales write short forms in their long pattern; titles always spell out the
// weekday and the month.
QString spelledOut(QString pattern)
{
    static const QRegularExpression weekday(u"d{3,4}"_s);
    static const QRegularExpression month(u"M{1,4}"_s);
    if (!pattern.contains(u"dddd"_s))
        pattern.contains(weekday) ? pattern.replace(weekday, u"dddd"_s)
                                  : pattern.prepend(u"dddd, "_s);
    // CJK patterns write the month as a number with its unit ("12月"), which is the
    // full form there.
    const bool monthWithUnit = pattern.contains(u'月') || pattern.contains(u'월');
    if (!monthWithUnit && !pattern.contains(u"MMMM"_s) && pattern.contains(month))
        pattern.replace(month, u"MMMM"_s);
    return pattern;
}

} // namespace

QString dayTitle(const QDate &day, const QLocale &locale)
{
    if (!day.isValid())
        return {};
    return locale.toString(day, spelledOut(withoutYear(locale.dateFormat(QLocale::LongFormat))));
}

QString dayTitleWithYear(const QDate &day, const QLocale &locale)
{
    if (!day.isValid())
        return {};
    return locale.toString(day, spelledOut(locale.dateFormat(QLocale::LongFormat)));
}

QString abbreviatedDate(const QDate &day, const QLocale &locale)
{
    if (!day.isValid())
        return {};
    // The long pattern without its weekday, the month name shortened.
    static const QRegularExpression weekday(u"[\\s,]*d{3,4}[\\s,]*"_s);
    static const QRegularExpression fullMonth(u"M{4}"_s);
    QString pattern = locale.dateFormat(QLocale::LongFormat);
    pattern.replace(weekday, u" "_s);
    pattern.replace(fullMonth, u"MMM"_s);
    return locale.toString(day, pattern.trimmed());
}

QString eventTimeText(const platform::CalendarItem &item, const QLocale &locale)
{
    if (item.isAllDay)
        return QCoreApplication::translate("CalendarAgenda", "All day");
    return shortTime(item.start.toLocalTime().time(), locale) + QChar(0x2013) +
           shortTime(item.end.toLocalTime().time(), locale);
}

QString shortTime(const QTime &time, const QLocale &locale)
{
    // The C locale's short format is "HH:mm:ss"; seconds are noise in a day's schedule.
    static const QRegularExpression seconds(u"[^Hhm]*s+"_s);
    QString pattern = locale.timeFormat(QLocale::ShortFormat);
    pattern.remove(seconds);
    return locale.toString(time, pattern.trimmed());
}

QDateTime withDay(const QDateTime &instant, const QDate &day)
{
    QDateTime moved = instant;
    moved.setDate(day);
    return moved;
}

} // namespace wrenfold::ui
