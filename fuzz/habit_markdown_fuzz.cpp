// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Habit lines on any text: setting a state reads back as that state, is idempotent, and
// touches no other line.
#include "core/habit_markdown.h"
#include "fuzz_support.h"

#include <QTimeZone>

using namespace Qt::StringLiterals;
using namespace wrenfold;
using namespace wrenfold::core;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QList<QString> fields = fuzz::pieces(data, size, 2);
    FlowItem flow;
    flow.id = fuzz::uuid(data, size);
    flow.title = fields[1];
    flow.tracksHabit = size % 3 != 0;
    flow.isActive = size % 5 != 0;
    flow.habitSchedule = allHabitSchedules()[qsizetype(size % 4)];
    for (std::size_t i = 0; i < size && i < 7; ++i)
        flow.habitWeekdays.insert(int(data[i] % 9)); // 0 and 8 are not weekdays
    const bool state = size % 2 == 0;
    const QString &text = fields[0];

    const std::optional<bool> before = HabitMarkdown::completed(flow.id, text);
    const QString after = HabitMarkdown::setting(state, flow, text);
    // The written title has its line breaks turned into spaces; a box inside it counts.
    QString writtenTitle = flow.title;
    for (QChar &c : writtenTitle) {
        if (QStringView(u"\n\r\v\f\u0085\u2028\u2029").contains(c))
            c = u' ';
    }
    const bool titleChecks = writtenTitle.contains(u"- [x]") || writtenTitle.contains(u"- [X]");
    fuzz::require(HabitMarkdown::completed(flow.id, after) == (state || titleChecks),
                  "the state set is not the state read");
    fuzz::require(HabitMarkdown::setting(state, flow, after) == after,
                  "setting the same state twice changed the text");

    const QList<QStringView> oldLines = QStringView(text).split(u'\n');
    const QList<QStringView> newLines = QStringView(after).split(u'\n');
    if (before.has_value()) {
        fuzz::require(oldLines.size() == newLines.size(), "a line was added or removed");
        int changed = 0;
        for (qsizetype i = 0; i < oldLines.size(); ++i)
            changed += oldLines[i] != newLines[i] ? 1 : 0;
        fuzz::require(changed <= 1, "more than one line changed");
    } else {
        fuzz::require(after.startsWith(text) && after.endsWith(u'\n'), "append changed the text");
    }

    const QDateTime date = QDateTime::fromSecsSinceEpoch(
        qint64(size) * 86'400 + (size ? data[0] : 0) * 3'600, QTimeZone::utc());
    const QList<DailyNote> cleared = HabitMarkdown::clearingCompletion(flow, {{date, after}});
    fuzz::require(cleared.size() == (state || titleChecks ? 1 : 0), "wrong notes cleared");
    if (!cleared.isEmpty() && !titleChecks)
        fuzz::require(HabitMarkdown::completed(flow.id, cleared[0].body) == false,
                      "a cleared note still reads as done");

    const Calendar calendar{QTimeZone::utc(), Qt::Sunday};
    const bool scheduled = HabitMarkdown::isScheduled(flow, date, calendar);
    if (!flow.tracksHabit || !flow.isActive)
        fuzz::require(!scheduled, "an untracked or archived habit is due");
    else if (flow.habitSchedule == HabitSchedule::selectedWeekdays)
        fuzz::require(
            scheduled == flow.habitWeekdays.contains(Calendar::weekdayNumber(calendar.dayOf(date))),
            "weekday schedule disagrees with the weekday");
    else
        fuzz::require(scheduled, "an unrestricted habit is not due");
    return 0;
}
