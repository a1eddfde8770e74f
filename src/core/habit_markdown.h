// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/calendar.h"
#include "core/journal.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

// A tracked flow is checked off in the day's habits text with one task line that carries
// an invisible marker with the flow's identity:
//
//   - [x] Walk <!-- vesk-habit: 0b6f3c1e-5d2a-4c8e-9a57-3f1e2d4c5b6a -->
//
// The title is for human readers only and is never read back. Lines without the flow's
// marker are never touched.
namespace wrenfold::core::HabitMarkdown {

/// "<!-- vesk-habit: {uuid} -->" with lower-case hexadecimal digits.
QString marker(const QUuid &flowID);

/// The state of the first line holding the flow's marker: true when it contains "- [x]"
/// or "- [X]" anywhere, false otherwise; nullopt when no line holds the marker. A marker
/// written with upper-case digits does not count.
std::optional<bool> completed(const QUuid &flowID, const QString &habitsText);

/// `completed` for every flow that has a marker line in `habitsText`, read in one pass.
QHash<QUuid, bool> completions(const QString &habitsText);

/// `habitsText` with the flow's first marker line replaced by a fresh "- [x] " / "- [ ] "
/// line with the current title; everything else, the final line feed included, stays. When
/// there is no such line, the new line and a line feed are appended, after an empty line
/// if the text holds anything besides white space. Line breaks inside the title are
/// written as spaces so the line stays one line.
QString setting(bool isCompleted, const FlowItem &flow, const QString &habitsText);

/// The notes whose line for the flow is checked, in input order, each with that line
/// unchecked. Notes without a line, or with an unchecked one, are left out.
QList<DailyNote> clearingCompletion(const FlowItem &flow, const QList<DailyNote> &notes);

/// Whether the habit is due on the calendar day of `date`: never for an untracked or
/// archived flow; for selected weekdays when the day's number (1 Sunday ... 7 Saturday,
/// whatever the first weekday of the locale) is listed; otherwise every day.
bool isScheduled(const FlowItem &flow, const QDateTime &date, const Calendar &calendar);

} // namespace wrenfold::core::HabitMarkdown
