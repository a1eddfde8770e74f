// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "cli/day_argument.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace wrenfold::cli {

std::optional<QDate> parseDay(const QString &text, const QDate &today)
{
    if (text == u"today")
        return today;
    if (text == u"yesterday")
        return today.addDays(-1);
    if (text == u"tomorrow")
        return today.addDays(1);

    static const QRegularExpression daysBack(u"^-([0-9]{1,6})$"_s);
    if (const auto match = daysBack.match(text); match.hasMatch())
        return today.addDays(-match.captured(1).toLongLong());

    // Exactly four, two and two digits: QDate alone would also take "2026-3-5".
    static const QRegularExpression isoDay(u"^([0-9]{4})-([0-9]{2})-([0-9]{2})$"_s);
    const auto match = isoDay.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QDate day(match.captured(1).toInt(), match.captured(2).toInt(),
                    match.captured(3).toInt());
    if (!day.isValid())
        return std::nullopt;
    return day;
}

std::optional<QDate> parseMonth(const QString &text, const QDate &today)
{
    static const QRegularExpression isoMonth(u"^([0-9]{4})-([0-9]{2})$"_s);
    if (const auto match = isoMonth.match(text); match.hasMatch()) {
        const QDate first(match.captured(1).toInt(), match.captured(2).toInt(), 1);
        if (!first.isValid())
            return std::nullopt;
        return first;
    }
    const auto day = parseDay(text, today);
    if (!day)
        return std::nullopt;
    return QDate(day->year(), day->month(), 1);
}

} // namespace wrenfold::cli
