// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/flows/flow_texts.h"

#include <QCoreApplication>

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

} // namespace wrenfold::ui
