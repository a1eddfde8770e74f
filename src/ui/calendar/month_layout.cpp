// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/calendar/month_layout.h"

using namespace Qt::StringLiterals;

namespace wrenfold::ui {

int leadingEmptyCells(const QDate &month, Qt::DayOfWeek firstDay)
{
    if (!month.isValid())
        return 0;
    const QDate first(month.year(), month.month(), 1);
    return (first.dayOfWeek() - int(firstDay) + 7) % 7;
}

QStringList weekdayNames(Qt::DayOfWeek firstDay, const QLocale &locale)
{
    QStringList names;
    for (int offset = 0; offset < 7; ++offset) {
        const int day = (int(firstDay) - 1 + offset) % 7 + 1;
        names << locale.standaloneDayName(day, QLocale::ShortFormat);
    }
    return names;
}

QString monthTitle(const QDate &month, const QLocale &locale)
{
    if (!month.isValid())
        return {};
    // Qt has no year-and-month pattern; the long date pattern tells the order. Chinese,
    // Japanese and Korean write the month as a number with its unit after the year.
    const QString pattern = locale.dateFormat(QLocale::LongFormat);
    if (pattern.contains(u'年'))
        return locale.toString(month, u"yyyy年M月"_s);
    if (pattern.contains(u'년'))
        return locale.toString(month, u"yyyy년 M월"_s);
    const QString name = locale.standaloneMonthName(month.month(), QLocale::LongFormat);
    const QString year = locale.toString(month, u"yyyy"_s);
    const qsizetype yearAt = pattern.indexOf(u'y');
    const qsizetype monthAt = pattern.indexOf(u'M');
    if (yearAt >= 0 && monthAt >= 0 && yearAt < monthAt)
        return year + u' ' + name;
    return name + u' ' + year;
}

} // namespace wrenfold::ui
