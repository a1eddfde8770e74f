// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/flow_markdown.h"
#include "core/habit_markdown.h"
#include "support/model_fixture.h"
#include "ui/flows/flow_detail_view.h"
#include "ui/flows/flow_editor_view.h"
#include "ui/flows/flows_view.h"
#include "ui/flows/growing_text_edit.h"
#include "ui/flows/weekday_picker.h"
#include "ui/widgets/empty_state_panel.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace wrenfold::testing {
namespace {

class FlowsScreensTest : public UiWorld {
protected:
    void TearDown() override
    {
        QLocale::setDefault(QLocale::c());
        UiWorld::TearDown();
    }

    core::FlowItem flow(const QString &title, bool tracksHabit = false)
    {
        core::FlowItem item;
        item.id = QUuid::createUuid();
        item.title = title;
        item.tracksHabit = tracksHabit;
        item.createdAt = item.updatedAt = QDateTime::currentDateTimeUtc().addDays(-2);
        return item;
    }

    void modelWith(const QList<core::FlowItem> &flows)
    {
        makeModel();
        model->setFlows(flows);
        model->saveFlows();
    }

    /// What the flows file holds now.
    QList<core::FlowItem> onDisk() const
    {
        const auto flows = core::decodeFlows(readFile(model->store().flowsURL()));
        return flows ? *flows : QList<core::FlowItem>{};
    }
};

TEST_F(FlowsScreensTest, editor_addsOnlyANamedFlowAndStoresItsTextsTrimmed)
{
    const struct {
        const char *why;
        QString name;
        bool canAdd;
        QString stored;
    } rows[] = {
        {"a name of spaces cannot be added", u"  \t "_s, false, {}},
        {"surrounding white space is trimmed", u"  Garden plan \n"_s, true, u"Garden plan"_s},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.why);
        modelWith({});
        model->setPresentNewFlow(true);
        ui::FlowEditorView editor(*model, std::nullopt);
        editor.show();
        editor.nameField()->setText(row.name);
        editor.detailField()->setPlainText(u"\n  soil test  \n"_s);
        EXPECT_EQ(editor.saveButton()->isEnabled(), row.canAdd);
        editor.save();
        const QList<core::FlowItem> stored = onDisk();
        ASSERT_EQ(stored.size(), row.canAdd ? 1 : 0);
        EXPECT_EQ(model->presentNewFlow(), !row.canAdd) << "a saved sheet closes";
        if (row.canAdd) {
            EXPECT_EQ(stored[0].title, row.stored);
            EXPECT_EQ(stored[0].detail, u"soil test"_s);
            EXPECT_TRUE(stored[0].isActive);
            EXPECT_FALSE(stored[0].tracksHabit);
        }
    }
}

TEST_F(FlowsScreensTest, editor_habitShowsRhythmAndWeekdaysInTheLocalesOrder)
{
    const struct {
        QLocale locale;
        QString firstName;
        int firstWeekday; // 1 Sunday ... 7 Saturday
    } rows[] = {
        {QLocale(QLocale::German, QLocale::Germany), u"Montag"_s, 2},
        {QLocale(QLocale::English, QLocale::UnitedStates), u"Sunday"_s, 1},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.firstName.toStdString());
        QLocale::setDefault(row.locale);
        calendar.firstDayOfWeek = row.locale.firstDayOfWeek();
        core::FlowItem thread = flow(u"Run"_s);
        modelWith({thread});
        ui::FlowEditorView editor(*model, thread);
        editor.show();
        EXPECT_FALSE(editor.rhythmPicker()->isVisible());

        QTest::mouseClick(editor.habitButton(), Qt::LeftButton);
        ASSERT_TRUE(editor.rhythmPicker()->isVisible());
        EXPECT_FALSE(editor.weekdayPicker()->isVisible()) << "every day needs no weekdays";
        editor.rhythmPicker()->setCurrentIndex(
            editor.rhythmPicker()->findData(int(core::HabitSchedule::selectedWeekdays)));
        ASSERT_TRUE(editor.weekdayPicker()->isVisible());

        ui::WeekdayPicker *picker = editor.weekdayPicker();
        ASSERT_EQ(picker->buttons().size(), 7);
        EXPECT_EQ(picker->weekdayOrder().first(), row.firstWeekday);
        EXPECT_EQ(picker->buttons().first()->accessibleName(), row.firstName);

        QAbstractButton *third = picker->buttons()[2];
        QTest::mouseClick(third, Qt::LeftButton);
        const QSet<int> once = picker->selection();
        EXPECT_TRUE(third->isChecked());
        QTest::mouseClick(picker->buttons()[4], Qt::LeftButton);
        QTest::mouseClick(picker->buttons()[4], Qt::LeftButton);
        EXPECT_EQ(picker->selection(), once) << "a weekday pressed twice is as before";
        EXPECT_FALSE(picker->buttons()[4]->isChecked());

        editor.save();
        const QList<core::FlowItem> stored = onDisk();
        ASSERT_EQ(stored.size(), 1);
        EXPECT_TRUE(stored[0].tracksHabit);
        EXPECT_EQ(stored[0].habitSchedule, core::HabitSchedule::selectedWeekdays);
        EXPECT_EQ(stored[0].habitWeekdays, QSet<int>{picker->weekdayOrder()[2]});
        EXPECT_GT(stored[0].updatedAt, thread.updatedAt);
    }
}

TEST_F(FlowsScreensTest, list_archivesRestoresAndDeletesAfterConfirmation)
{
    const core::FlowItem garden = flow(u"Garden"_s, true);
    const core::FlowItem novel = flow(u"Novel"_s);
    modelWith({garden, novel});
    ui::FlowsView view(*model);
    view.resize(900, 600);
    view.show();
    ASSERT_EQ(view.rows().size(), 2);
    EXPECT_FALSE(view.emptyState()->isVisible());
    ASSERT_NE(view.rows()[0]->habitLine(), nullptr);
    EXPECT_EQ(view.rows()[0]->habitLine()->text(), u"Habit · Every day"_s);
    EXPECT_EQ(view.rows()[1]->habitLine(), nullptr);

    // Archive, then restore.
    for (const bool activeAfter : {false, true}) {
        view.rows()[0]->archiveAction()->trigger();
        ASSERT_EQ(onDisk().size(), 2);
        EXPECT_EQ(onDisk()[0].isActive, activeAfter);
        EXPECT_EQ(view.rows()[0]->archivedTag()->isVisible(), !activeAfter);
        EXPECT_EQ(view.rows()[0]->archiveAction()->text(),
                  activeAfter ? u"Archive Flow"_s : u"Restore Flow"_s);
    }

    // Delete asks first; cancelling keeps the flow, confirming removes it from the file.
    for (const bool confirm : {false, true}) {
        view.rows()[0]->setFocus();
        QTest::keyClick(view.rows()[0], Qt::Key_Delete);
        QMessageBox *question = view.deleteConfirmation();
        ASSERT_NE(question, nullptr);
        EXPECT_TRUE(question->text().contains(u"Garden"_s));
        const auto buttons = question->buttons();
        for (QAbstractButton *button : buttons)
            if ((question->buttonRole(button) == QMessageBox::DestructiveRole) == confirm)
                button->click();
        ASSERT_TRUE(waitUntil([&] { return view.deleteConfirmation() == nullptr; }));
        const QList<core::FlowItem> stored = onDisk();
        ASSERT_EQ(stored.size(), confirm ? 1 : 2);
        EXPECT_EQ(stored.last().id, novel.id);
    }
    ASSERT_EQ(view.rows().size(), 1);
    view.rows()[0]->deleteAction()->trigger();
    ASSERT_NE(view.deleteConfirmation(), nullptr);
}

TEST_F(FlowsScreensTest, list_tabGoesOnIntoRowsBuiltLater)
{
    QList<core::FlowItem> flows;
    for (int i = 0; i < 60; ++i)
        flows.append(flow(u"Flow %1"_s.arg(i)));
    modelWith(flows);
    QWidget window;
    auto *view = new ui::FlowsView(*model, &window);
    auto *later = new QLineEdit(&window); // made after the view, as the window's other screens are
    auto *column = new QVBoxLayout(&window);
    column->addWidget(view);
    column->addWidget(later);
    window.resize(900, 600);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const qsizetype built = view->rows().size();
    ASSERT_LT(built, flows.size());
    QWidget *last = view->rows().last();
    while (last->nextInFocusChain() && view->rows().last()->isAncestorOf(last->nextInFocusChain()))
        last = last->nextInFocusChain();
    last->setFocus(Qt::TabFocusReason);
    QTest::keyClick(last, Qt::Key_Tab);
    ASSERT_GT(view->rows().size(), built);
    QWidget *focused = QApplication::focusWidget();
    EXPECT_TRUE(focused == view->rows()[built] || view->rows()[built]->isAncestorOf(focused))
        << (focused ? focused->metaObject()->className() : "nothing");
}

TEST_F(FlowsScreensTest, detail_reviewSurvivesAMonthChangeAndEveryWayOfClosing)
{
    const core::FlowItem garden = flow(u"Garden"_s, true);
    modelWith({garden});
    const QDate thisMonth = [&] {
        const QDate today = calendar.dayOf(QDateTime::currentDateTime());
        return QDate(today.year(), today.month(), 1);
    }();
    const QString thisKey = model->monthKey(calendar.startOfDay(thisMonth));
    const QString lastKey = model->monthKey(calendar.startOfDay(thisMonth.addMonths(-1)));

    {
        ui::FlowDetailView detail(*model, garden);
        detail.show();
        QTest::keyClicks(detail.reviewFields()[1], u"more sun than expected"_s);
        detail.changeMonth(-1);
        EXPECT_EQ(detail.month(), thisMonth.addMonths(-1));
        EXPECT_TRUE(detail.reviewFields()[1]->toPlainText().isEmpty());
        EXPECT_EQ(onDisk()[0].monthlyReviews.value(thisKey).noticing, u"more sun than expected"_s);
        QTest::keyClicks(detail.reviewFields()[4], u"plant earlier"_s);
        detail.changeMonth(+1);
        EXPECT_EQ(detail.reviewFields()[1]->toPlainText(), u"more sun than expected"_s);
        EXPECT_EQ(onDisk()[0].monthlyReviews.value(lastKey).carryForward, u"plant earlier"_s);
    }

    // Escape and the close button end the sheet without "Done": the text is kept anyway.
    for (const QString &way : {u"Escape"_s, u"close button"_s, u"Done"_s}) {
        SCOPED_TRACE(way.toStdString());
        model->setReviewingFlow(garden);
        QDialog sheet;
        auto *view = new ui::FlowDetailView(*model, garden, &sheet);
        (new QVBoxLayout(&sheet))->addWidget(view);
        sheet.show();
        view->reviewFields()[0]->setPlainText(way);
        if (way == u"Escape"_s)
            QTest::keyClick(&sheet, Qt::Key_Escape);
        else if (way == u"Done"_s)
            view->doneButton()->click();
        else
            sheet.close();
        EXPECT_EQ(onDisk()[0].monthlyReviews.value(thisKey).whyThisMatters, way);
        EXPECT_EQ(onDisk()[0].monthlyReviews.value(thisKey).noticing, u"more sun than expected"_s);
    }
    EXPECT_FALSE(model->reviewingFlow().has_value()) << "Done closes the sheet";
}

TEST_F(FlowsScreensTest, detail_completedLegendOnlyForHabitsAndTilesFollowTheDays)
{
    for (const bool tracksHabit : {true, false}) {
        SCOPED_TRACE(tracksHabit ? "habit" : "thread");
        const core::FlowItem item = flow(u"Walk"_s, tracksHabit);
        modelWith({item});
        const QDateTime now = QDateTime::currentDateTime();
        ASSERT_FALSE(model->store().saveHabits(core::HabitMarkdown::setting(true, item, {}), now));
        model->noteChanged(core::FlowMarkdown::appending(item, u"Out early.\n"_s));
        model->flushNote();

        ui::FlowDetailView detail(*model, item);
        detail.show();
        EXPECT_EQ(detail.completedLegend()->isVisible(), tracksHabit);
        const QDate today = calendar.dayOf(now);
        ASSERT_EQ(detail.tiles().size(), today.daysInMonth());
        for (ui::FlowDayTile *tile : detail.tiles()) {
            const bool isToday = tile->day() == today;
            EXPECT_EQ(tile->mentioned(), isToday) << tile->day().toString().toStdString();
            EXPECT_EQ(tile->completed(), isToday) << tile->day().toString().toStdString();
        }
    }
}

} // namespace
} // namespace wrenfold::testing
