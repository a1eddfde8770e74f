// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/flow_markdown.h"
#include "core/habit_markdown.h"
#include "support/model_fixture.h"

#include <QSignalSpy>

using namespace Qt::StringLiterals;
using namespace wrenfold;
using namespace wrenfold::testing;

namespace {

const QUuid walkID{u"0b6f3c1e-5d2a-4c8e-9a57-3f1e2d4c5b6a"_s};
const QUuid readID{u"1c7a4d2f-6e3b-4d9f-8b68-4a2f3e5d6c7b"_s};
const core::FlowItem walk = habit(walkID, u"Walk"_s, core::HabitSchedule::daily);
const core::FlowItem read = habit(readID, u"Read"_s, core::HabitSchedule::daily);

// A week of March 2026: Monday the 2nd to Sunday the 8th.
const QDate monday{2026, 3, 2};

class HabitsFlowsTest : public ModelTest {
protected:
    app::AppModel &makeModelWith(const QList<core::FlowItem> &flows)
    {
        auto &model = makeModel();
        model.setFlows(flows);
        model.saveFlows();
        return model;
    }
    QDateTime on(const QDate &day) const { return QDateTime(day, QTime(12, 0), QTimeZone::utc()); }
    QString habitsPath(const QDate &day) const
    {
        return core::MarkdownStore(notesRoot, calendar).habitsURL(on(day));
    }
    QString habitsFile(const QDate &day) const
    {
        return QString::fromUtf8(readFile(habitsPath(day)));
    }
    void writeHabits(const QDate &day, const QString &text)
    {
        ASSERT_TRUE(writeFile(habitsPath(day), text.toUtf8()));
    }
    bool doneOn(const core::FlowItem &flow, const QDate &day)
    {
        model->setSelectedDate(on(day));
        return model->habitCompleted(flow);
    }
};

TEST_F(HabitsFlowsTest, weeklyHabit_oneMarkCountsForTheLocalesWeek)
{
    const auto weekly = habit(walkID, u"Walk"_s, core::HabitSchedule::weekly);
    auto &model = makeModelWith({weekly});
    // Last week's mark does not count; the new one goes on the selected day only.
    writeHabits(monday.addDays(-3), core::HabitMarkdown::setting(true, weekly, {}));
    model.setSelectedDate(on(monday.addDays(4)));
    model.toggleHabit(weekly);
    EXPECT_EQ(habitsFile(monday.addDays(4)), core::HabitMarkdown::setting(true, weekly, {}));
    EXPECT_FALSE(QFileInfo::exists(habitsPath(monday)));
    for (int day = 0; day < 7; ++day)
        EXPECT_TRUE(doneOn(weekly, monday.addDays(day))) << "day " << day;
    EXPECT_FALSE(doneOn(weekly, monday.addDays(7)));

    // Where weeks start on Sunday, Sunday the 8th starts the next one.
    auto services = this->services();
    services.calendar.firstDayOfWeek = Qt::Sunday;
    this->model = std::make_unique<app::AppModel>(services);
    this->model->setFlows({weekly});
    EXPECT_FALSE(doneOn(weekly, monday.addDays(6)));
    EXPECT_TRUE(doneOn(weekly, monday.addDays(5)));
}

TEST_F(HabitsFlowsTest, weeklyUncheck_clearsExactlyTheCheckedDays)
{
    const auto weekly = habit(walkID, u"Walk"_s, core::HabitSchedule::weekly);
    auto &model = makeModelWith({weekly, read});
    const QString checked = core::HabitMarkdown::setting(true, weekly, {});
    const QString withOther =
        core::HabitMarkdown::setting(true, read, core::HabitMarkdown::setting(true, weekly, {}));
    const QString unchecked = core::HabitMarkdown::setting(false, weekly, {});
    writeHabits(monday, checked);
    writeHabits(monday.addDays(1), unchecked);
    writeHabits(monday.addDays(2), withOther);
    writeHabits(monday.addDays(7), checked); // the next week
    const QDateTime tuesdayModified = QFileInfo(habitsPath(monday.addDays(1))).lastModified();

    model.setSelectedDate(on(monday.addDays(3))); // Thursday
    ASSERT_TRUE(model.habitCompleted(weekly));
    model.toggleHabit(weekly);

    EXPECT_EQ(habitsFile(monday), unchecked);
    EXPECT_EQ(habitsFile(monday.addDays(2)),
              core::HabitMarkdown::setting(false, weekly, withOther)); // Read stays checked
    EXPECT_TRUE(core::HabitMarkdown::completed(readID, habitsFile(monday.addDays(2))).value());
    EXPECT_EQ(habitsFile(monday.addDays(1)), unchecked);
    EXPECT_EQ(QFileInfo(habitsPath(monday.addDays(1))).lastModified(), tuesdayModified);
    EXPECT_FALSE(QFileInfo::exists(habitsPath(monday.addDays(3)))) << "Thursday was written";
    EXPECT_EQ(habitsFile(monday.addDays(7)), checked);
    EXPECT_FALSE(model.habitCompleted(weekly));
}

TEST_F(HabitsFlowsTest, toggle_writesOneLine_touchesTheStoredFlowAndAnnouncesTheChange)
{
    auto &model = makeModelWith({walk});
    const QString line =
        u" Walk <!-- vesk-habit: %1 -->\n"_s.arg(walkID.toString(QUuid::WithoutBraces));
    model.setSelectedDate(on(monday));
    QSignalSpy changed(&model, &app::AppModel::modelChanged);
    QSignalSpy flowsChanged(&model, &app::AppModel::flowsChanged);
    const QDateTime before = QDateTime::currentDateTime();
    model.toggleHabit(walk);
    // The habit mark has no property of its own: one announcement beyond the flows' own.
    EXPECT_EQ(changed.count(), flowsChanged.count() + 1);
    EXPECT_GE(model.flows().at(0).updatedAt, before);
    const auto stored = model.store().loadFlows();
    ASSERT_TRUE(stored.ok());
    EXPECT_EQ(stored->at(0).updatedAt.toSecsSinceEpoch(),
              model.flows().at(0).updatedAt.toSecsSinceEpoch());

    EXPECT_EQ(habitsFile(monday), u"- [x]"_s + line);
    EXPECT_TRUE(doneOn(walk, monday));
    EXPECT_FALSE(doneOn(walk, monday.addDays(1)));
    model.setSelectedDate(on(monday));
    model.toggleHabit(walk);
    EXPECT_EQ(habitsFile(monday), u"- [ ]"_s + line);
}

TEST_F(HabitsFlowsTest, toggle_unreadableOrUnwritableHabitsFile_isReportedAndKept)
{
    const QByteArray broken("- [x] Swim \xff\n");
    for (const bool unreadable : {true, false}) {
        SCOPED_TRACE(unreadable);
        ASSERT_TRUE(QDir(notesRoot + u"/Habits"_s).removeRecursively());
        // Invalid UTF-8, or a file where the year folder should be.
        ASSERT_TRUE(unreadable ? writeFile(habitsPath(monday), broken)
                               : writeFile(notesRoot + u"/Habits/2026"_s, "x"));
        auto &model = makeModelWith({walk});
        model.setSelectedDate(on(monday));
        model.toggleHabit(walk);
        EXPECT_TRUE(model.errorMessage().has_value());
        EXPECT_GT(model.store().loadFlows()->at(0).updatedAt, walk.updatedAt);
        if (unreadable) {
            EXPECT_EQ(readFile(habitsPath(monday)), broken);
        }
    }
}

TEST_F(HabitsFlowsTest, scheduledHabits_keepListOrderAndSkipUndueFlows)
{
    auto mwf = habit(walkID, u"Walk"_s, core::HabitSchedule::selectedWeekdays);
    mwf.habitWeekdays = {2, 4, 6}; // Monday, Wednesday, Friday
    const auto weekly = habit(readID, u"Read"_s, core::HabitSchedule::weekly);
    auto archived = habit(QUuid::createUuid(), u"Old"_s, core::HabitSchedule::daily);
    archived.isActive = false;
    auto untracked = habit(QUuid::createUuid(), u"Plain"_s, core::HabitSchedule::daily);
    untracked.tracksHabit = false;
    auto &model = makeModelWith({mwf, archived, untracked, weekly});

    model.setSelectedDate(on(monday));
    EXPECT_EQ(model.scheduledHabits(), (QList<core::FlowItem>{mwf, weekly}));
    model.setSelectedDate(on(monday.addDays(1)));
    EXPECT_EQ(model.scheduledHabits(), (QList<core::FlowItem>{weekly}));
}

TEST_F(HabitsFlowsTest, addFlowToToday_savesAPastDayFirstThenAppendsToTodayAsTyped)
{
    auto withStep = walk;
    withStep.nextStep = u"Buy shoes"_s;
    auto &model = makeModelWith({withStep});
    model.showDay(on(monday));
    const QString pastPath = notePath();
    model.noteChanged(u"Past text"_s);
    model.setSelection(app::AppSection::flows);

    model.addFlowToToday(withStep);

    EXPECT_EQ(readFile(pastPath), "Past text");
    EXPECT_EQ(model.store().calendar().dayOf(model.selectedDate()),
              model.store().calendar().dayOf(QDateTime::currentDateTime()));
    EXPECT_EQ(model.noteText(), core::FlowMarkdown::appending(withStep, QString()));
    EXPECT_EQ(model.selection(), app::AppSection::today);
    EXPECT_GT(model.flows().at(0).updatedAt, withStep.updatedAt);
    ASSERT_TRUE(waitUntil([&] { return !model.hasPendingSave(); }));
    EXPECT_EQ(noteFile(), model.noteText());

    // On today it goes below the text as typed.
    model.noteChanged(u"Morning"_s);
    model.addFlowToToday(withStep);
    EXPECT_EQ(model.noteText(), core::FlowMarkdown::appending(withStep, u"Morning"_s));
}

TEST_F(HabitsFlowsTest, archiveAndDelete_changeOnlyTheirFlow_unknownOnesNone)
{
    auto &model = makeModelWith({walk, read});
    model.archiveFlow(walk);
    EXPECT_FALSE(model.store().loadFlows()->at(0).isActive);
    model.archiveFlow(walk);
    EXPECT_TRUE(model.flows().at(0).isActive);
    EXPECT_GT(model.flows().at(0).updatedAt, walk.updatedAt);
    model.deleteFlow(walk);
    EXPECT_EQ(*model.store().loadFlows(), QList<core::FlowItem>{read});

    // Unknown flows change nothing; toggling one marks the day but saves no flow.
    QSignalSpy changed(&model, &app::AppModel::flowsChanged);
    const QByteArray flowsBefore = readFile(model.store().flowsURL());
    model.archiveFlow(walk);
    model.deleteFlow(walk);
    model.updateReview({u"why"_s, {}, {}, {}, {}}, walk, on(monday));
    model.setSelectedDate(on(monday));
    model.toggleHabit(walk);
    EXPECT_TRUE(model.habitCompleted(walk));
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(readFile(model.store().flowsURL()), flowsBefore);
    EXPECT_EQ(model.review(walk, on(monday)), core::FlowReview{});

    // A folder where the file should be: the change stays in memory, the error is said.
    ASSERT_TRUE(QFile::remove(model.store().flowsURL()));
    ASSERT_TRUE(QDir().mkpath(model.store().flowsURL()));
    model.archiveFlow(read);
    EXPECT_TRUE(model.errorMessage().has_value());
    EXPECT_FALSE(model.flows().at(0).isActive);
}

TEST_F(HabitsFlowsTest, reviews_areStoredPerZeroPaddedMonth)
{
    auto &model = makeModelWith({walk});
    const QDateTime january = on(QDate(2026, 1, 31));
    EXPECT_EQ(model.review(walk, january), core::FlowReview{});

    model.updateReview({}, walk, january);
    EXPECT_EQ(model.flows().at(0).monthlyReviews.keys(), QList<QString>{u"2026-01"_s});

    const core::FlowReview march{u"why"_s, u"noticing"_s, u"affect"_s, u"back"_s, u"forward"_s};
    // The passed copy is stale: the stored record decides.
    model.updateReview(march, walk, on(QDate(2026, 3, 9)));
    EXPECT_EQ(model.review(walk, on(QDate(2026, 3, 1))), march);
    EXPECT_EQ(model.store().loadFlows()->at(0).monthlyReviews.value(u"2026-03"_s), march);
    EXPECT_EQ(model.flows().at(0).monthlyReviews.size(), 2);
    EXPECT_EQ(model.monthKey(on(QDate(987, 3, 5))), u"0987-03"_s);
    EXPECT_EQ(model.monthKey(QDateTime()), u"0000-00"_s);
}

TEST_F(HabitsFlowsTest, unreadableFlowsFile_isNeverWrittenOverNorFilledFromAnotherFolder)
{
    auto &model = makeModelWith({walk});
    // Another program leaves a trailing comma behind.
    QByteArray broken = readFile(model.store().flowsURL());
    broken.insert(broken.lastIndexOf(']'), ",");
    ASSERT_TRUE(writeFile(model.store().flowsURL(), broken));
    model.archiveFlow(walk);
    EXPECT_TRUE(model.errorMessage().has_value());
    EXPECT_EQ(readFile(model.store().flowsURL()), broken);

    // Another folder whose flows file is broken too: nothing of the first one goes there.
    const QString other = path(u"other"_s);
    ASSERT_TRUE(writeFile(other + u"/flows.json"_s, "[{\"id\": "));
    chooser.answer = other;
    model.chooseRoot();
    EXPECT_TRUE(model.flows().isEmpty());
    model.setFlows({read});
    model.saveFlows();
    EXPECT_EQ(readFile(other + u"/flows.json"_s), "[{\"id\": ");

    // Repaired, its flows come first and the one added meanwhile follows.
    const auto repaired = habit(QUuid::createUuid(), u"Swim"_s, core::HabitSchedule::daily);
    ASSERT_EQ(core::MarkdownStore(other, calendar).saveFlows({repaired}), std::nullopt);
    model.saveFlows();
    EXPECT_EQ(*model.store().loadFlows(), (QList<core::FlowItem>{repaired, read}));
}

TEST_F(HabitsFlowsTest, flowsChangedByAnotherProgram_areMergedNotWrittenOver)
{
    auto &model = makeModelWith({walk, read});
    // Another program renames one flow, deletes the other and adds one.
    auto renamed = walk;
    renamed.title = u"Walk the dog"_s;
    const auto swim = habit(QUuid::createUuid(), u"Swim"_s, core::HabitSchedule::daily);
    const core::MarkdownStore other(model.store().root(), calendar);
    ASSERT_EQ(other.saveFlows({renamed, swim}), std::nullopt);

    // Before the watch notices, the user archives the deleted one: it stays, changed.
    model.archiveFlow(read);
    const auto stored = model.store().loadFlows();
    ASSERT_TRUE(stored);
    ASSERT_EQ(stored->size(), 3);
    EXPECT_EQ(stored->at(0).title, u"Walk the dog"_s);
    EXPECT_EQ(stored->at(1).id, swim.id);
    EXPECT_EQ(stored->at(2).id, read.id);
    EXPECT_FALSE(stored->at(2).isActive);

    // A later outside change shows without any action of the user.
    const auto cook = habit(QUuid::createUuid(), u"Cook"_s, core::HabitSchedule::daily);
    ASSERT_EQ(other.saveFlows(*stored + QList<core::FlowItem>{cook}), std::nullopt);
    ASSERT_TRUE(waitUntil([&] { return model.flows().size() == 4; }, 5000));
    EXPECT_EQ(model.flows().at(3).title, u"Cook"_s);
}

} // namespace
