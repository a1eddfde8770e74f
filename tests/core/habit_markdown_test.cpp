// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/calendar.h"
#include "core/habit_markdown.h"

#include <QTimeZone>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace wrenfold::core;

namespace {

const QUuid kWalkID = QUuid::fromString(u"0B6F3C1E-5D2A-4C8E-9A57-3F1E2D4C5B6A"_s);
const QString kWalkMarker = u"<!-- vesk-habit: 0b6f3c1e-5d2a-4c8e-9a57-3f1e2d4c5b6a -->"_s;
const QUuid kReadID = QUuid::fromString(u"11111111-2222-3333-4444-555555555555"_s);

FlowItem flow(const QUuid &id, const QString &title)
{
    FlowItem item;
    item.id = id;
    item.title = title;
    item.tracksHabit = true;
    return item;
}

} // namespace

TEST(HabitMarkdown, setting_replacesTheFirstMarkerLineOrAppendsOne)
{
    const QString read =
        u"- [x] Read <!-- vesk-habit: "_s + kReadID.toString(QUuid::WithoutBraces) + u" -->\n"_s;
    const QString walk = u"- [x] Walk "_s + kWalkMarker + u'\n';
    const QString upper =
        u"- [x] Walk <!-- vesk-habit: 0B6F3C1E-5D2A-4C8E-9A57-3F1E2D4C5B6A -->\n"_s;
    const struct {
        const char *name;
        QString text;
        QString expected;
    } rows[] = {
        {"empty text gets the line alone", {}, walk},
        {"only the habit's own line changes",
         u"# Habits\n\n"_s + read + u"\n- [ ] Old title "_s + kWalkMarker + u"\n\n\nby hand"_s,
         u"# Habits\n\n"_s + read + u"\n"_s + walk + u"\n\nby hand"_s},
        {"the first of two lines with the marker",
         u"- [ ] a "_s + kWalkMarker + u"\n- [ ] b "_s + kWalkMarker,
         walk + u"- [ ] b "_s + kWalkMarker},
        {"another habit's text gets an empty line first", read, read + u"\n\n"_s + walk},
        {"text without line feed gets an empty line", u"notes"_s, u"notes\n\n"_s + walk},
        {"spaces only get just a line feed", u"  "_s, u"  \n"_s + walk},
        {"an upper-case marker is another habit's", upper, upper + u"\n\n"_s + walk},
    };
    for (const auto &row : rows)
        EXPECT_EQ(HabitMarkdown::setting(true, flow(kWalkID, u"Walk"_s), row.text), row.expected)
            << row.name;
}

TEST(HabitMarkdown, setting_titleWithLineBreaks_staysOneLine)
{
    const FlowItem multiLine = flow(kWalkID, u"Walk\nthe dog\r\n"_s);
    QString text = HabitMarkdown::setting(true, multiLine, {});
    EXPECT_EQ(text, u"- [x] Walk the dog   "_s + kWalkMarker + u'\n');
    // Toggling must not leave pieces of the old line behind.
    text = HabitMarkdown::setting(false, multiLine, text);
    EXPECT_EQ(text, u"- [ ] Walk the dog   "_s + kWalkMarker + u'\n');
    text = HabitMarkdown::setting(true, multiLine, text);
    EXPECT_EQ(text, u"- [x] Walk the dog   "_s + kWalkMarker + u'\n');
}

TEST(HabitMarkdown, completed_readsTheFirstMarkerLine)
{
    const struct {
        const char *name;
        QString text;
        std::optional<bool> expected;
    } rows[] = {
        {"upper-case box counts as checked", u"- [X] Walk "_s + kWalkMarker, true},
        {"box anywhere in the line", u"done: - [x] "_s + kWalkMarker, true},
        {"marker without a box is unchecked", u"Walk "_s + kWalkMarker, false},
        {"no marker gives none", u"- [x] Walk\n- [x] Read"_s, std::nullopt},
        {"upper-case digits are another marker",
         u"- [x] <!-- vesk-habit: 0B6F3C1E-5D2A-4C8E-9A57-3F1E2D4C5B6A -->"_s, std::nullopt},
        {"first of two lines decides", u"- [ ] a "_s + kWalkMarker + u"\n- [x] b "_s + kWalkMarker,
         false},
        {"two markers in one line, after a broken one",
         u"- [x] <!-- vesk-habit: <!-- vesk-habit: 11111111-2222-3333-4444-555555555555 --> "_s +
             kWalkMarker,
         true},
        {"marker cut short", u"- [x] "_s + kWalkMarker.chopped(1), std::nullopt},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(HabitMarkdown::completed(kWalkID, row.text), row.expected) << row.name;
        // Read in one pass for every flow, the answer is the same.
        const QHash<QUuid, bool> all = HabitMarkdown::completions(row.text);
        for (const QUuid &id : {kWalkID, kReadID}) {
            const std::optional<bool> one = HabitMarkdown::completed(id, row.text);
            EXPECT_EQ(all.contains(id) ? std::optional(all.value(id)) : std::nullopt, one)
                << row.name;
        }
    }
}

TEST(HabitMarkdown, clearingCompletion_returnsOnlyCheckedNotes_unchecked)
{
    const FlowItem walk = flow(kWalkID, u"Walk"_s);
    const QDateTime day1(QDate(2026, 3, 2), QTime(9, 0), QTimeZone::utc());
    const QList<DailyNote> notes{
        {day1, u"- [ ] Walk "_s + kWalkMarker + u'\n'},
        {day1.addDays(1), u"intro\n- [x] Walking "_s + kWalkMarker + u"\nrest\n"_s},
        {day1.addDays(2), u"nothing here\n"_s},
    };
    EXPECT_EQ(HabitMarkdown::clearingCompletion(walk, notes),
              (QList<DailyNote>{
                  {day1.addDays(1), u"intro\n- [ ] Walk "_s + kWalkMarker + u"\nrest\n"_s}}));
}

TEST(HabitMarkdown, isScheduled_followsTrackingArchiveAndWeekdays)
{
    // 2026-03-02 is a Monday, 2026-03-01 a Sunday.
    const QDateTime monday(QDate(2026, 3, 2), QTime(12, 0), QTimeZone::utc());
    const QDateTime sunday(QDate(2026, 3, 1), QTime(12, 0), QTimeZone::utc());
    Calendar sundayFirst{QTimeZone::utc(), Qt::Sunday};
    Calendar mondayFirst{QTimeZone::utc(), Qt::Monday};

    FlowItem weekdays = flow(kWalkID, u"Walk"_s);
    weekdays.habitSchedule = HabitSchedule::selectedWeekdays;
    weekdays.habitWeekdays = {2, 4, 6};
    for (const Calendar &calendar : {sundayFirst, mondayFirst}) {
        EXPECT_TRUE(HabitMarkdown::isScheduled(weekdays, monday, calendar));
        EXPECT_FALSE(HabitMarkdown::isScheduled(weekdays, sunday, calendar));
    }
    // 23:30 UTC on a Sunday is already Monday in Berlin.
    const QDateTime lateSunday = sunday.addSecs(11 * 3600 + 1800);
    EXPECT_FALSE(HabitMarkdown::isScheduled(weekdays, lateSunday, mondayFirst));
    EXPECT_TRUE(
        HabitMarkdown::isScheduled(weekdays, lateSunday, Calendar{QTimeZone("Europe/Berlin")}));

    FlowItem archived = weekdays;
    archived.habitSchedule = HabitSchedule::daily;
    archived.isActive = false;
    FlowItem untracked = flow(kWalkID, u"Walk"_s);
    untracked.tracksHabit = false;
    FlowItem weekly = flow(kWalkID, u"Walk"_s);
    weekly.habitSchedule = HabitSchedule::weekly;
    FlowItem unscheduled = flow(kWalkID, u"Walk"_s);
    unscheduled.habitSchedule = HabitSchedule::noSchedule;
    for (int offset = 0; offset < 7; ++offset) {
        const QDateTime day = monday.addDays(offset);
        EXPECT_FALSE(HabitMarkdown::isScheduled(archived, day, sundayFirst));
        EXPECT_FALSE(HabitMarkdown::isScheduled(untracked, day, sundayFirst));
        EXPECT_TRUE(HabitMarkdown::isScheduled(weekly, day, sundayFirst));
        EXPECT_TRUE(HabitMarkdown::isScheduled(unscheduled, day, sundayFirst));
    }
}

TEST(Calendar, weekdayNumber_countsSundayAsOne)
{
    EXPECT_EQ(Calendar::weekdayNumber(QDate(2026, 3, 1)), 1); // Sunday
    EXPECT_EQ(Calendar::weekdayNumber(QDate(2026, 3, 2)), 2); // Monday
    EXPECT_EQ(Calendar::weekdayNumber(QDate(2026, 3, 7)), 7); // Saturday
}
