// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

// The dates the flow screens show are the ones the other screens use.
#include "ui/calendar/month_layout.h"
#include "ui/today/day_format.h"

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

} // namespace wrenfold::ui
