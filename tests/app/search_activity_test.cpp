// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/habit_markdown.h"
#include "support/model_fixture.h"

using namespace Qt::StringLiterals;
using namespace wrenfold;
using namespace wrenfold::testing;

namespace {

using SearchActivityTest = ModelTest;

QDateTime noonOn(const QDate &day)
{
    return QDateTime(day, QTime(12, 0), QTimeZone::utc());
}

QString notePathIn(const QString &root, const QDate &day)
{
    return root +
           u"/Journal/%1/%2.md"_s.arg(day.toString(u"yyyy/MM"_s), day.toString(u"yyyy-MM-dd"_s));
}

TEST_F(SearchActivityTest, journalResults_walkTheListedDaysNewestFirst)
{
    ASSERT_TRUE(writeFile(notePathIn(notesRoot, {2026, 3, 1}), "Breakfast at the Café\n"));
    ASSERT_TRUE(writeFile(notePathIn(notesRoot, {2026, 3, 4}), "## Plan\n  café CRÈME  \n"));
    ASSERT_TRUE(writeFile(notePathIn(notesRoot, {2026, 3, 2}), "nothing\n"));
    auto &model = makeModel();
    ASSERT_EQ(model.noteDates().size(), 3);

    const QList<app::JournalSearchResult> expected{{{2026, 3, 4}, u"café CRÈME"_s},
                                                   {{2026, 3, 1}, u"Breakfast at the Café"_s}};
    EXPECT_EQ(model.journalResults(u" CAFE "_s), expected);
    EXPECT_EQ(model.journalResults(u"   "_s).size(), 3);
    EXPECT_EQ(model.journalResults(QString()).at(0).excerpt, u"Plan"_s);
}

TEST_F(SearchActivityTest, journalResults_followTheNotesFolder)
{
    ASSERT_TRUE(writeFile(notePathIn(notesRoot, {2026, 3, 1}), "old folder word\n"));
    auto &model = makeModel();
    ASSERT_EQ(model.journalResults(u"word"_s).size(), 1);

    const QString other = path(u"other"_s);
    ASSERT_TRUE(writeFile(notePathIn(other, {2026, 3, 1}), "new folder\n"));
    chooser.answer = other;
    model.chooseRoot();
    ASSERT_EQ(model.rootURL(), other);
    EXPECT_TRUE(model.journalResults(u"word"_s).isEmpty());
    EXPECT_EQ(model.journalResults(u"new"_s).size(), 1);
}

TEST_F(SearchActivityTest, activity_followsEditsMadeThroughTheModel)
{
    auto &model = makeModel();
    const QDateTime now = model.selectedDate();
    EXPECT_EQ(model.activity(now), app::DayActivity{});
    model.noteChanged(u"Today"_s);
    model.flushNote();
    EXPECT_EQ(model.activity(now), (app::DayActivity{true, 0, 0}));
}

TEST_F(SearchActivityTest, flowActivity_readsTheDayOfTheInstant)
{
    core::FlowItem walk;
    walk.id = QUuid::createUuid();
    walk.title = u"Walk"_s;
    const QDate day(2026, 3, 3);
    ASSERT_TRUE(writeFile(notesRoot + u"/Habits/2026/03/2026-03-03.md"_s,
                          core::HabitMarkdown::setting(true, walk, {}).toUtf8()));
    auto &model = makeModel();
    EXPECT_EQ(model.activity(walk, noonOn(day)), (app::FlowDayActivity{false, true}));
    EXPECT_EQ(model.activity(walk, noonOn(day.addDays(1))), app::FlowDayActivity{});
    EXPECT_EQ(model.activity(noonOn(day)), (app::DayActivity{false, 1, 0}));
}

struct WeekCase {
    const char *name;
    Qt::DayOfWeek firstDay;
    QDate selected;
    QDate expectedStart;
};

class DatesInSelectedWeek : public ModelTest, public ::testing::WithParamInterface<WeekCase> {};

TEST_P(DatesInSelectedWeek, areSevenDaysFromTheWeeksFirstDay)
{
    auto services = this->services();
    services.calendar.firstDayOfWeek = GetParam().firstDay;
    model = std::make_unique<app::AppModel>(services);
    model->setSelectedDate(QDateTime(GetParam().selected, QTime(18, 30), QTimeZone::utc()));
    QList<QDateTime> expected;
    for (int i = 0; i < 7; ++i)
        expected.append(GetParam().expectedStart.addDays(i).startOfDay(QTimeZone::utc()));
    EXPECT_EQ(model->datesInSelectedWeek(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DatesInSelectedWeek,
    ::testing::Values(WeekCase{"sundayInMondayWeek", Qt::Monday, {2026, 3, 8}, {2026, 3, 2}},
                      WeekCase{"mondayInMondayWeek", Qt::Monday, {2026, 3, 2}, {2026, 3, 2}},
                      WeekCase{"sundayInSundayWeek", Qt::Sunday, {2026, 3, 8}, {2026, 3, 8}},
                      WeekCase{"saturdayInSaturdayWeek", Qt::Saturday, {2026, 3, 6}, {2026, 2, 28}},
                      WeekCase{"acrossTheYear", Qt::Monday, {2026, 1, 1}, {2025, 12, 29}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
