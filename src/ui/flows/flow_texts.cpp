// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/flows/flow_texts.h"

#include <QCoreApplication>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {

QString rhythmName(core::HabitSchedule schedule)
{
    switch (schedule) {
    case core::HabitSchedule::daily:
        return QCoreApplication::translate("FlowEditorView", "Every day");
    case core::HabitSchedule::selectedWeekdays:
        return QCoreApplication::translate("FlowEditorView", "Selected weekdays");
    case core::HabitSchedule::weekly:
        return QCoreApplication::translate("FlowEditorView", "Weekly");
    case core::HabitSchedule::noSchedule:
        return QCoreApplication::translate("FlowEditorView", "No schedule");
    }
    return {};
}

QString habitText(core::HabitSchedule schedule)
{
    switch (schedule) {
    case core::HabitSchedule::daily:
        return QCoreApplication::translate("FlowsView", "Habit · Every day");
    case core::HabitSchedule::selectedWeekdays:
        return QCoreApplication::translate("FlowsView", "Habit · Selected weekdays");
    case core::HabitSchedule::weekly:
        return QCoreApplication::translate("FlowsView", "Habit · Weekly");
    case core::HabitSchedule::noSchedule:
        return QCoreApplication::translate("FlowsView", "Habit · No schedule");
    }
    return {};
}

QString abbreviatedDate(const QDate &day, const QLocale &locale)
{
    if (!day.isValid())
        return {};
    // The locale's long pattern without its weekday, the month abbreviated:
    // "dddd, MMMM d, yyyy" -> "MMM d, yyyy", "dddd, d. MMMM yyyy" -> "d. MMM yyyy".
    static const QRegularExpression weekday(u"d{3,4}[\\s,]*"_s);
    static const QRegularExpression trailingWeekday(u"[\\s,]*d{3,4}$"_s);
    static const QRegularExpression fullMonth(u"M{4}"_s);
    QString pattern = locale.dateFormat(QLocale::LongFormat);
    pattern.remove(trailingWeekday);
    pattern.remove(weekday);
    pattern.replace(fullMonth, u"MMM"_s);
    return locale.toString(day, pattern.trimmed());
}

QString monthTitle(const QDate &day, const QLocale &locale)
{
    return locale.standaloneMonthName(day.month(), QLocale::LongFormat) + u' ' +
           locale.toString(day, u"yyyy"_s);
}

} // namespace wrenfold::ui
