// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/perspective_catalogue.h"
#include "support/model_fixture.h"
#include "ui/editor/journal_editor.h"
#include "ui/editor/markdown_text_view.h"
#include "ui/perspectives/perspectives_view.h"
#include "ui/settings/settings_view.h"
#include "ui/today/calendar_agenda.h"
#include "ui/today/day_format.h"
#include "ui/today/day_header.h"
#include "ui/today/journal_footer_area.h"
#include "ui/today/journal_habits_footer.h"
#include "ui/today/perspective_cards.h"
#include "ui/today/root_notice.h"
#include "ui/today/today_view.h"
#include "ui/widgets/elided_label.h"
#include "ui/widgets/empty_state_panel.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;
using wrenfold::core::PerspectiveID;

namespace wrenfold::testing {
namespace {

class TodayViewTest : public UiWorld {
protected:
    void makeView()
    {
        if (!model)
            makeModel();
        view = std::make_unique<ui::TodayView>(*model, [this] { ++calendarSettingsOpened; });
        view->resize(1000, 700);
        view->show();
    }
    std::unique_ptr<ui::SettingsView> makeSettings()
    {
        auto settingsView =
            std::make_unique<ui::SettingsView>(*model, workspace, calendarStore.get());
        settingsView->resize(settingsView->sizeHint());
        settingsView->show();
        return settingsView;
    }

    std::unique_ptr<ui::TodayView> view;
    int calendarSettingsOpened = 0;
};

// ---- Day header ------------------------------------------------------------------------

TEST_F(TodayViewTest, dayButtons_moveAndRetitleWithoutTheYear)
{
    makeView();
    const QDate start = calendar.dayOf(model->selectedDate());
    QTest::mouseClick(view->dayHeader()->previousButton(), Qt::LeftButton);
    EXPECT_EQ(calendar.dayOf(model->selectedDate()), start.addDays(-1));
    view->dayHeader()->moveByDays(1);
    QPushButton *today = view->dayHeader()->todayButton();
    EXPECT_FALSE(today->isVisible()) << "only shown away from the current day";
    QTest::mouseClick(view->dayHeader()->nextButton(), Qt::LeftButton);
    EXPECT_EQ(calendar.dayOf(model->selectedDate()), start.addDays(1));
    EXPECT_EQ(view->dateTitle()->text(), ui::dayTitle(start.addDays(1)));
    EXPECT_EQ(view->dayHeader()->datePicker()->date(), start.addDays(1));
    EXPECT_TRUE(today->isVisible());
    QTest::mouseClick(today, Qt::LeftButton);
    EXPECT_FALSE(today->isVisible());
    EXPECT_EQ(calendar.dayOf(model->selectedDate()), calendar.dayOf(QDateTime::currentDateTime()));

    const QDate day(2026, 12, 5);
    const std::pair<const char *, QString> rows[] = {
        {"en_GB", u"Saturday, 5 December"_s}, {"en_US", u"Saturday, December 5"_s},
        {"de_DE", u"Samstag, 5. Dezember"_s}, {"es_ES", u"sábado, 5 de diciembre"_s},
        {"ja_JP", u"12月5日土曜日"_s}, // the year's unit is removed too
    };
    for (const auto &[locale, expected] : rows)
        EXPECT_EQ(ui::dayTitle(day, QLocale(QString::fromLatin1(locale))), expected) << locale;
    EXPECT_EQ(ui::dayTitle(QDate(), QLocale(u"en_GB"_s)), QString());
}

TEST_F(TodayViewTest, stepOrPickAcrossDaylightSavingChange_keepsTheTimeOfDay)
{
    const QTimeZone berlin("Europe/Berlin");
    ASSERT_TRUE(berlin.isValid());
    calendar = core::Calendar{berlin, Qt::Monday};
    makeModel();
    // 29 March 2026 is 23 hours long in Berlin.
    model->showDay(QDateTime(QDate(2026, 3, 28), QTime(12, 0), berlin));
    makeView();
    view->dayHeader()->moveByDays(1);
    const QDateTime after = model->selectedDate().toTimeZone(berlin);
    EXPECT_EQ(after.date(), QDate(2026, 3, 29));
    EXPECT_EQ(after.time(), QTime(12, 0));
    view->dayHeader()->datePicker()->setDate(QDate(2024, 2, 29));
    EXPECT_EQ(model->selectedDate().toTimeZone(berlin),
              QDateTime(QDate(2024, 2, 29), QTime(12, 0), berlin));
}

// ---- Agenda ----------------------------------------------------------------------------

TEST_F(TodayViewTest, agenda_withoutEventsToShow_showsThePanelForTheAccessState)
{
    using State = ui::CalendarAgenda::State;
    const struct {
        const char *name;
        std::optional<platform::CalendarAuthorization> access;
        State state;
    } rows[] = {
        {"not asked yet", std::nullopt, State::connect},
        {"denied", platform::CalendarAuthorization::denied, State::accessOff},
        {"empty day", platform::CalendarAuthorization::fullAccess, State::noEvents},
    };
    addEvent(u"elsewhere"_s, "DTSTART:20200101T090000Z\r\nDTEND:20200101T100000Z\r\n"
                             "SUMMARY:Long ago\r\n");
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        view.reset();
        if (row.access) {
            ASSERT_FALSE(calendarStore->setAuthorization(*row.access));
        }
        makeModel();
        makeView();
        ui::CalendarAgenda *agenda = view->agenda();
        ASSERT_TRUE(waitUntil([&] { return agenda->state() != State::loading; }));
        ASSERT_EQ(agenda->state(), row.state);
        ui::EmptyStatePanel *panel = row.state == State::connect     ? agenda->connectPanel()
                                     : row.state == State::accessOff ? agenda->accessOffPanel()
                                                                     : agenda->noEventsPanel();
        EXPECT_TRUE(panel->isVisible());
        if (row.state == State::accessOff) {
            QTest::mouseClick(panel->button(), Qt::LeftButton);
            EXPECT_EQ(calendarSettingsOpened, 1);
        }
    }
}

TEST_F(TodayViewTest, agenda_connectAllowed_showsTheDaysEventsWithShortTimes_upToTheDaysCap)
{
    const QDateTime day(QDate(2026, 3, 5), QTime(12, 0), calendar.timeZone);
    const QDateTime nine(QDate(2026, 3, 5), QTime(9, 0), calendar.timeZone);
    const auto utc = [](const QDateTime &at) {
        return at.toUTC().toString(u"yyyyMMdd'T'HHmmss'Z'"_s).toLatin1();
    };
    addEvent(u"holiday"_s, "DTSTART;VALUE=DATE:20260305\r\nDTEND;VALUE=DATE:20260306\r\n"
                           "SUMMARY:Holiday\r\n");
    addEvent(u"review"_s, "DTSTART:" + utc(nine) + "\r\nDTEND:" + utc(nine.addSecs(3600)) +
                              "\r\nSUMMARY:Review\r\n");
    addEvent(u"ticks"_s, "DTSTART:20260306T000000Z\r\nRRULE:FREQ=SECONDLY\r\nSUMMARY:Tick\r\n");
    makeModel();
    model->showDay(day);
    makeView();
    prompt.answer = platform::CalendarAccessAnswer::allow;
    QTest::mouseClick(view->agenda()->connectPanel()->button(), Qt::LeftButton);
    // Quiet while the files are read, never "No calendar events".
    EXPECT_FALSE(view->agenda()->noEventsPanel()->isVisible());
    ASSERT_TRUE(
        waitUntil([&] { return view->agenda()->state() == ui::CalendarAgenda::State::events; }));
    EXPECT_EQ(prompt.askedWith, QStringList{u"Personal"_s});
    QListWidget *list = view->agenda()->eventList();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), u"Holiday"_s);
    EXPECT_EQ(list->item(0)->data(Qt::UserRole).toString(), u"All day"_s);
    // The suite runs in the C and German locales: no seconds in either.
    EXPECT_EQ(list->item(1)->data(Qt::UserRole).toString(), u"09:00–10:00"_s);
    EXPECT_EQ(list->item(1)->data(Qt::AccessibleTextRole).toString().left(8), u"Review, "_s);
    EXPECT_FALSE(view->agenda()->cutNote()->isVisible());

    // The next day has nothing left of this one, and more events than the agenda shows.
    view->dayHeader()->moveByDays(1);
    EXPECT_EQ(list->count(), 0);
    ASSERT_TRUE(
        waitUntil([&] { return view->agenda()->state() == ui::CalendarAgenda::State::events; }));
    EXPECT_EQ(list->count(), platform::maxEventsPerQuery);
    EXPECT_TRUE(view->agenda()->cutNote()->isVisible());
}

// ---- Habits ----------------------------------------------------------------------------

TEST_F(TodayViewTest, checkingAHabit_byClickOrSpace_togglesTheDaysMarkAndTheFooterFollowsTheDay)
{
    makeModel();
    const core::FlowItem walk = habit(QUuid::createUuid(), u"Walk"_s, core::HabitSchedule::daily);
    const core::FlowItem review =
        habit(QUuid::createUuid(), u"Weekly review"_s, core::HabitSchedule::weekly);
    model->setFlows({walk, review});
    model->saveFlows();
    makeView();

    ui::JournalHabitsFooter *footer = view->habitsFooter();
    ASSERT_TRUE(footer->isVisible());
    QListView *list = footer->list();
    ASSERT_EQ(list->model()->rowCount(), 2);
    const QModelIndex walkRow = list->model()->index(0, 0);
    EXPECT_EQ(walkRow.data(Qt::AccessibleTextRole).toString(), u"Walk"_s);
    EXPECT_EQ(walkRow.data(Qt::AccessibleDescriptionRole).toString(), QString());
    EXPECT_EQ(list->model()->index(1, 0).data(Qt::AccessibleDescriptionRole), u"Weekly"_s);
    EXPECT_EQ(walkRow.data(Qt::CheckStateRole), Qt::Unchecked);

    const QPoint onTheBox = list->visualRect(walkRow).topLeft() + QPoint(4, 4);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onTheBox);

    EXPECT_TRUE(model->habitCompleted(walk));
    EXPECT_EQ(walkRow.data(Qt::CheckStateRole), Qt::Checked);

    QTest::keyClick(list, Qt::Key_Space); // the clicked row is the current one
    EXPECT_FALSE(model->habitCompleted(walk));
    EXPECT_EQ(walkRow.data(Qt::CheckStateRole), Qt::Unchecked);

    // Without a habit due on the day shown, the footer goes.
    core::FlowItem stretch =
        habit(QUuid::createUuid(), u"Stretch"_s, core::HabitSchedule::selectedWeekdays);
    stretch.habitWeekdays = {core::Calendar::weekdayNumber(calendar.dayOf(model->selectedDate()))};
    model->setFlows({stretch});
    EXPECT_TRUE(footer->isVisible());
    view->dayHeader()->moveByDays(1);
    EXPECT_FALSE(footer->isVisible());
}

TEST_F(TodayViewTest, footer_leavesTheWritingAreaMostOfThePaneAndStartsAtTheTopOfEachDay)
{
    makeModel();
    QList<core::FlowItem> flows;
    for (int i = 0; i < 12; ++i)
        flows << habit(QUuid::createUuid(), u"Habit %1"_s.arg(i), core::HabitSchedule::daily);
    model->setFlows(flows);
    for (core::PerspectiveID id : {core::PerspectiveID::ma, core::PerspectiveID::kanso})
        model->insertPerspective(core::perspective(id));
    makeView();
    auto *footer = view->findChild<ui::JournalFooterArea *>();
    ASSERT_NE(footer, nullptr);
    QTRY_VERIFY(footer->verticalScrollBar()->maximum() > 0);
    EXPECT_GT(view->editor()->textView()->height(), 2 * footer->height());

    footer->verticalScrollBar()->setValue(footer->verticalScrollBar()->maximum());
    view->dayHeader()->moveByDays(1);
    view->dayHeader()->moveByDays(-1);
    EXPECT_EQ(footer->verticalScrollBar()->value(), 0);
}

// ---- Perspectives ----------------------------------------------------------------------

TEST_F(TodayViewTest, perspectiveCards_takeTheAnswerInWriteAndShowItInPreview)
{
    makeView();
    EXPECT_FALSE(view->perspectiveCards()->isVisible());
    model->insertPerspective(core::perspective(core::PerspectiveID::hansei));
    model->insertPerspective(core::perspective(core::PerspectiveID::kanso));
    ASSERT_TRUE(view->perspectiveCards()->isVisible());
    ASSERT_EQ(view->perspectiveCards()->cards().size(), 2);
    ui::PerspectiveCard *hansei = view->perspectiveCards()->cards()[0];
    ui::PerspectiveCard *kanso = view->perspectiveCards()->cards()[1];

    kanso->responseEditor()->setFocus();
    QTest::keyClicks(kanso->responseEditor(), u"less"_s);
    EXPECT_EQ(kanso->responseEditor()->textCursor().position(), 4);
    EXPECT_EQ(model->perspectiveEntries()[1].response, u"less"_s);

    view->editor()->setMode(ui::JournalMode::preview);
    EXPECT_FALSE(hansei->removeButton()->isVisible());
    EXPECT_FALSE(hansei->responseEditor()->isVisible());
    EXPECT_FALSE(hansei->responseLabel()->isVisible()) << "an empty response shows nothing";
    EXPECT_TRUE(kanso->responseLabel()->isVisible());
    EXPECT_EQ(kanso->responseLabel()->text(), u"less"_s);

    view->editor()->setMode(ui::JournalMode::write);
    ASSERT_TRUE(hansei->removeButton()->isVisible());
    QTest::mouseClick(hansei->removeButton(), Qt::LeftButton);
    ASSERT_EQ(model->perspectiveEntries().size(), 1);
    EXPECT_EQ(model->perspectiveEntries().first().perspectiveID, core::PerspectiveID::kanso);
    ASSERT_TRUE(waitUntil([&] { return view->perspectiveCards()->cards().size() == 1; }));
}

// ---- Settings, the perspective catalogue and the notes-folder notice ------------------

using SettingsScreensTest = TodayViewTest;

TEST_F(SettingsScreensTest, defaultPerspectivePicker_storesTheChoiceAndShowsItOnReopening)
{
    const struct {
        const char *name;
        std::optional<PerspectiveID> before;
        QString picked;
        std::optional<PerspectiveID> chosen;
    } rows[] = {
        {"none clears the default", PerspectiveID::kaizen, u"None"_s, std::nullopt},
        {"a perspective becomes the default", std::nullopt, u"wabi-sabi"_s,
         PerspectiveID::wabiSabi},
    };
    makeModel();
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        model->setDefaultPerspective(row.before);
        {
            auto view = makeSettings();
            QComboBox *picker = view->defaultPerspectivePicker();
            const int index = picker->findText(row.picked);
            ASSERT_GE(index, 0);
            picker->setCurrentIndex(index);
            emit picker->activated(index);
        }
        EXPECT_EQ(model->defaultPerspective(), row.chosen);
        EXPECT_EQ(makeSettings()->defaultPerspectivePicker()->currentText(), row.picked);
    }
}

TEST_F(SettingsScreensTest, chooseFolder_movesTheModelAndTheLongestPathStaysOneLine)
{
    makeModel();
    auto view = makeSettings();
    ui::ElidedLabel *label = view->folderLabel();
    const int oneLine = label->height();
    const QString shortFolder = path(u"chosen"_s);
    QString longFolder = path(u"deep"_s);
    while (longFolder.size() < 300)
        longFolder += u"/a-rather-long-folder-name"_s;
    for (const QString &folder : {shortFolder, longFolder}) {
        SCOPED_TRACE(folder.size());
        ASSERT_TRUE(QDir().mkpath(folder));
        chooser.answer = folder;
        QTest::mouseClick(view->chooseFolderButton(), Qt::LeftButton);
        EXPECT_EQ(model->rootURL(), folder);
        EXPECT_EQ(label->fullText(), folder);
        EXPECT_EQ(label->height(), oneLine);
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
        EXPECT_LE(view->width(), view->sizeHint().width());
    }
    EXPECT_TRUE(view->folderLabel()->text().contains(u"…"_s));
}

TEST_F(SettingsScreensTest, perspectiveGrid_fitsColumnsToTheWidthAndAddsToTodaysJournal)
{
    makeModel();
    ui::PerspectivesView view(*model);
    view.show();
    ASSERT_EQ(view.cards().size(), 11);
    const std::pair<int, int> rows[] = {{600, 1}, {1400, 4}};
    for (const auto &[width, columns] : rows) {
        view.resize(width, 800);
        EXPECT_EQ(view.columnCount(), columns) << width;
    }
    // From another day, the chosen one goes to today's journal, and Today shows.
    model->showDay(QDateTime::currentDateTime().addDays(-3));
    model->setSelection(app::AppSection::perspectives);
    ui::PerspectiveCatalogueCard *ma = view.cards().at(5);
    ASSERT_EQ(ma->perspectiveID(), PerspectiveID::ma);
    QTest::mouseClick(ma->addButton(), Qt::LeftButton);

    ASSERT_EQ(model->perspectiveEntries().size(), 1);
    EXPECT_EQ(model->perspectiveEntries().first().perspectiveID, PerspectiveID::ma);
    EXPECT_EQ(model->selection(), app::AppSection::today);
}

TEST_F(SettingsScreensTest, rootNotice_onlyForAnUnchosenFolderAndGoneForGoodOnceClosed)
{
    // Whether a start with the settings and environment as they are shows the notice.
    const auto shownAtStart = [&] {
        makeModel();
        ui::TodayView today(*model);
        today.show();
        return today.rootNotice()->isVisible();
    };
    EXPECT_FALSE(shownAtStart()) << "test root";
    environment.remove(u"VESK_UI_TEST_ROOT"_s);
    settings->setValue(u"notesRoot"_s, notesRoot);
    EXPECT_FALSE(shownAtStart()) << "remembered folder";
    settings->clear();
    EXPECT_TRUE(shownAtStart()) << "default folder";

    // The default folder: named, not created, and closing the notice is remembered.
    makeView();
    const QString folder = QDir::toNativeSeparators(documents + u"/Vesk Wrenfold"_s);
    EXPECT_TRUE(view->rootNotice()->messageLabel()->text().contains(folder));
    EXPECT_FALSE(QFileInfo::exists(folder));
    QTest::mouseClick(view->rootNotice()->dismissButton(), Qt::LeftButton);
    EXPECT_FALSE(view->rootNotice()->isVisible());
    view.reset();
    EXPECT_FALSE(shownAtStart()) << "after a restart";

    // Change chooses a folder, and the notice goes with the default folder.
    settings->clear();
    makeModel();
    makeView();
    ASSERT_TRUE(view->rootNotice()->isVisible());
    ASSERT_TRUE(QDir().mkpath(notesRoot));
    chooser.answer = notesRoot;
    QTest::mouseClick(view->rootNotice()->changeButton(), Qt::LeftButton);
    EXPECT_EQ(model->rootURL(), notesRoot);
    EXPECT_FALSE(view->rootNotice()->isVisible());
}

} // namespace
} // namespace wrenfold::testing
