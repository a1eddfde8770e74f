// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// The two screens that find a day: the month grid and the searchable journal list.
#include "core/habit_markdown.h"
#include "support/model_fixture.h"
#include "ui/calendar/calendar_view.h"
#include "ui/calendar/month_layout.h"
#include "ui/calendar_sources/calendar_sources_panel.h"
#include "ui/editor/journal_editor.h"
#include "ui/editor/markdown_text_view.h"
#include "ui/journal/journal_results_model.h"
#include "ui/journal/journal_view.h"
#include "ui/journal/preserved_copies_panel.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace wrenfold::testing {
namespace {

class CalendarViewTest : public UiWorld {
protected:
    void TearDown() override
    {
        QLocale::setDefault(QLocale::c());
        UiWorld::TearDown();
    }

    void makeView()
    {
        view.reset();
        if (!model)
            makeModel();
        view = std::make_unique<ui::CalendarView>(*model);
        view->resize(900, 760);
        view->show();
        QApplication::setActiveWindow(view.get());
    }

    QDateTime instant(const QDate &day) const { return calendar.startOfDay(day).addSecs(9 * 3600); }

    std::unique_ptr<ui::CalendarView> view;
};

TEST_F(CalendarViewTest, monthGrid_startsOnTheLocalesFirstWeekday)
{
    const struct {
        const char *name;
        const char *locale;
        QDate month;
        int leading;
        int days;
    } rows[] = {
        {"Monday-first, month starting on a Sunday", "de_DE", QDate(2026, 3, 1), 6, 31},
        {"Sunday-first, same month", "en_US", QDate(2026, 3, 1), 0, 31},
        {"Monday-first, month starting on a Monday", "en_GB", QDate(2026, 6, 1), 0, 30},
        {"leap February, Sunday-first", "en_US", QDate(2024, 2, 1), 4, 29},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QLocale locale(QString::fromLatin1(row.locale));
        QLocale::setDefault(locale);
        calendar.firstDayOfWeek = locale.firstDayOfWeek();
        view.reset();
        makeModel();
        makeView();
        const QDate shown = view->visibleMonth();
        view->moveMonth((row.month.year() - shown.year()) * 12 + row.month.month() - shown.month());

        QGridLayout *grid = view->grid();
        auto *firstName = qobject_cast<QLabel *>(grid->itemAtPosition(0, 0)->widget());
        ASSERT_NE(firstName, nullptr);
        EXPECT_EQ(firstName->text(),
                  locale.standaloneDayName(locale.firstDayOfWeek(), QLocale::ShortFormat));
        int gridRow = 0, gridColumn = 0, span = 0;
        grid->getItemPosition(grid->indexOf(view->cellFor(row.month)), &gridRow, &gridColumn, &span,
                              &span);
        EXPECT_EQ(gridRow * 7 + gridColumn - 7, row.leading);
        const QDate last = row.month.addDays(row.days - 1);
        ASSERT_NE(view->cellFor(last), nullptr);
        EXPECT_TRUE(view->cellFor(last)->isVisible());
        EXPECT_EQ(view->cellFor(last)->day(), last);
        EXPECT_EQ(view->cellFor(last.addDays(1)), nullptr);
        EXPECT_EQ(view->monthLabel()->text(), ui::monthTitle(row.month, locale));
    }
}

TEST_F(CalendarViewTest, pickingADay_loadsItsNoteAndTheSelectionSurvivesMonthMoves)
{
    makeModel();
    const QDate today = calendar.dayOf(QDateTime::currentDateTime());
    const QDate picked = QDate(today.year(), today.month(), 1).addDays(-3);
    ASSERT_TRUE(writeFile(model->store().noteURL(instant(picked)), "Written last month\n"));
    model->setSelection(app::AppSection::calendar);
    makeView();

    view->moveMonth(-1);
    QTest::mouseClick(view->cellFor(picked), Qt::LeftButton);
    EXPECT_EQ(calendar.dayOf(model->selectedDate()), picked);
    EXPECT_EQ(model->noteText(), u"Written last month\n"_s);
    EXPECT_EQ(model->selection(), app::AppSection::calendar);

    view->moveMonth(1);
    EXPECT_EQ(calendar.dayOf(model->selectedDate()), picked);
    view->moveMonth(-1);
    ASSERT_TRUE(waitUntil([&] { return view->cellFor(picked)->isSelectedDay(); }));
    EXPECT_FALSE(view->cellFor(picked.addDays(1))->isSelectedDay());

    // Keyboard: Right steps over the month's edge, Page Up turns back, Enter picks.
    view->cellFor(picked)->setFocus();
    QTest::keyClick(view->cellFor(picked), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    const QDate stepped = picked.addDays(3);
    EXPECT_EQ(view->visibleMonth(), QDate(stepped.year(), stepped.month(), 1));
    EXPECT_EQ(QApplication::focusWidget(), view->cellFor(stepped));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
    EXPECT_EQ(QApplication::focusWidget(), view->cellFor(stepped.addMonths(-1)));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(calendar.dayOf(model->selectedDate()), stepped.addMonths(-1));

    QTest::mouseClick(view->todayButton(), Qt::LeftButton);
    EXPECT_EQ(calendar.dayOf(model->selectedDate()), today);
    EXPECT_EQ(view->visibleMonth(), QDate(today.year(), today.month(), 1));
}

// Counts the pixels of the cell drawn close to `colour`.
int pixelsNear(const QImage &image, const QColor &colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
                    std::abs(pixel.blue() - colour.blue()) <
                16)
                ++count;
        }
    }
    return count;
}

TEST_F(CalendarViewTest, dayCells_markExactlyTheActivityPresent)
{
    const QColor blue(0x35, 0x84, 0xe4), green(0x2e, 0xc2, 0x7e), purple(0x91, 0x41, 0xac);
    const QUuid flow = QUuid::createUuid();
    const QByteArray checked = "- [x] Run " + core::HabitMarkdown::marker(flow).toUtf8() + "\n";
    const QByteArray mention =
        "<!-- vesk-flow: " + flow.toString(QUuid::WithoutBraces).toUtf8() + " -->\n";
    const struct {
        const char *name;
        QByteArray note;   // null: no file
        QByteArray habits; // null: no file
        bool journal, habit, flowMark;
    } rows[] = {
        {"entry and two habits, no mention", "Slept well\n", checked + checked, true, true, false},
        {"habits only", {}, checked, false, true, false},
        {"mention only", mention + mention, {}, true, false, true},
        {"blank note", "  \n\n", {}, false, false, false},
    };
    makeView();
    const QDate first = view->visibleMonth();
    // The selected day's accent outline is kept away from the cells looked at.
    model->showDay(instant(first.addDays(10)));
    for (int i = 0; i < int(std::size(rows)); ++i) {
        const QDateTime day = instant(first.addDays(i));
        if (!rows[i].note.isNull()) {
            ASSERT_TRUE(writeFile(model->store().noteURL(day), rows[i].note));
        }
        if (!rows[i].habits.isNull()) {
            ASSERT_TRUE(writeFile(model->store().habitsURL(day), rows[i].habits));
        }
    }
    // Files written behind the screen's back show with the model's next announcement.
    model->announceChange();
    for (int i = 0; i < int(std::size(rows)); ++i) {
        SCOPED_TRACE(rows[i].name);
        ui::DayCell *cell = view->cellFor(first.addDays(i));
        ASSERT_TRUE(waitUntil([&] { return cell->activity().hasJournal == rows[i].journal; }));
        const QImage image = cell->grab().toImage();
        EXPECT_EQ(pixelsNear(image, blue) > 10, rows[i].journal);
        EXPECT_EQ(pixelsNear(image, green) > 10, rows[i].habit);
        EXPECT_EQ(pixelsNear(image, purple) > 10, rows[i].flowMark);
        EXPECT_TRUE(cell->accessibleName().startsWith(
            QLocale().toString(first.addDays(i), QLocale::LongFormat)));
    }
}

using CalendarSourcesPanelTest = UiWorld;

TEST_F(CalendarSourcesPanelTest, accessAndAddedFiles_areRememberedAndReloadEvents)
{
    addEvent(u"standup"_s, "DTSTART;VALUE=DATE:20260305\r\nDTEND;VALUE=DATE:20260306\r\n"
                           "SUMMARY:Holiday\r\n");
    const QString ics = m_dir.filePath(u"extra/holidays.ics"_s);
    ASSERT_TRUE(writeFile(ics, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n"));
    makeModel();
    model->showDay(QDateTime(QDate(2026, 3, 5), QTime(12, 0), calendar.timeZone));
    ui::CalendarSourcesPanel panel(*model, *calendarStore);
    EXPECT_FALSE(panel.accessBox()->isChecked());
    ASSERT_EQ(panel.sourceList()->count(), 1);
    EXPECT_TRUE(panel.sourceList()->item(0)->text().startsWith(u"Personal\n"_s));

    panel.accessBox()->setChecked(true);
    EXPECT_EQ(model->calendarStatus(), platform::CalendarAuthorization::fullAccess);
    ASSERT_TRUE(waitUntil([&] { return model->calendarItems().size() == 1; }));

    panel.accessBox()->setChecked(false);
    EXPECT_EQ(model->calendarStatus(), platform::CalendarAuthorization::denied);
    EXPECT_TRUE(model->calendarItems().isEmpty());

    panel.addSources({ics});
    EXPECT_EQ(calendarStore->addedSources(), QStringList{ics});
    bool listed = false;
    for (int row = 0; row < panel.sourceList()->count(); ++row)
        listed |= panel.sourceList()->item(row)->data(Qt::UserRole).toString() == ics;
    EXPECT_TRUE(listed);

    panel.removeSource(ics);
    EXPECT_TRUE(calendarStore->addedSources().isEmpty());
}

// ---- Journal ------------------------------------------------------------------------------

class JournalViewTest : public UiWorld {
protected:
    void makeView()
    {
        if (!model)
            makeModel();
        model->setSelection(app::AppSection::journal);
        view = std::make_unique<ui::JournalView>(*model, &workspace);
        view->resize(1100, 700);
        view->show();
        QApplication::setActiveWindow(view.get());
    }

    QDateTime daysAgo(int days) const { return QDateTime::currentDateTime().addDays(-days); }

    void writeNote(int daysBack, const QByteArray &text)
    {
        const QString path = core::MarkdownStore(notesRoot, calendar).noteURL(daysAgo(daysBack));
        ASSERT_TRUE(writeFile(path, text));
    }

    QList<QDate> listedDays() const
    {
        QList<QDate> days;
        for (const app::JournalSearchResult &result : view->results()->results())
            days << result.date;
        return days;
    }

    QDate dayOf(int daysBack) const { return calendar.dayOf(daysAgo(daysBack)); }

    std::unique_ptr<ui::JournalView> view;
};

TEST_F(JournalViewTest, searchField_narrowsAsTheUserTypesAndEscapeClears)
{
    writeNote(1, "Café with Anna\n");
    writeNote(2, "Walked to the river\n");
    writeNote(3, "# Plans\ncafe again, then the RIVER\n");
    makeModel();
    model->showDay(daysAgo(3));
    makeView();
    QLineEdit *search = view->searchField();
    const struct {
        const char *name;
        QString typed;
        QList<QDate> listed;
    } rows[] = {
        {"empty lists every day, newest first", {}, {dayOf(1), dayOf(2), dayOf(3)}},
        {"case and accents ignored", u"CAFE"_s, {dayOf(1), dayOf(3)}},
        {"each keystroke narrows", u"CAFE again"_s, {dayOf(3)}},
        {"no match lists nothing", u"CAFE againx"_s, {}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        search->setFocus();
        QTest::keyClicks(search, row.typed.mid(search->text().size()));
        EXPECT_TRUE(waitUntil([&] { return listedDays() == row.listed; }));
    }
    QTest::keyClick(search, Qt::Key_Escape);
    EXPECT_EQ(search->text(), QString());
    EXPECT_TRUE(waitUntil([&] {
        return listedDays() == QList<QDate>{dayOf(1), dayOf(2), dayOf(3)};
    }));
    EXPECT_EQ(view->results()->results().last().excerpt, u"Plans"_s);

    // The selected day stays marked while the list changes under it.
    QTest::keyClicks(search, u"river"_s);
    ASSERT_TRUE(waitUntil([&] { return listedDays() == QList<QDate>{dayOf(2), dayOf(3)}; }));
    const QModelIndex selectedRow = view->results()->index(view->results()->rowOf(dayOf(3)));
    EXPECT_TRUE(selectedRow.data(ui::JournalResultsModel::SelectedDayRole).toBool());
    EXPECT_EQ(selectedRow.data(ui::JournalResultsModel::ExcerptRole).toString(),
              u"cafe again, then the RIVER"_s);
}

TEST_F(JournalViewTest, rowsAndKeys_openTheDayInTheRightPaneWithoutLeavingTheScreen)
{
    writeNote(1, "Yesterday's page\n");
    writeNote(2, "Two days back\n");
    makeView();
    QListView *list = view->entriesList();
    ASSERT_TRUE(waitUntil([&] { return view->results()->rowCount() == 2; }));

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(view->results()->index(1)).center());
    EXPECT_EQ(calendar.dayOf(model->selectedDate()), dayOf(2));
    EXPECT_EQ(view->editor()->textView()->toPlainText(), u"Two days back\n"_s);
    EXPECT_EQ(model->selection(), app::AppSection::journal);

    QTest::keyClick(list, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(view->searchField()->hasFocus());
    QTest::keyClick(view->searchField(), Qt::Key_Up);
    EXPECT_EQ(calendar.dayOf(model->selectedDate()), dayOf(1));
    EXPECT_EQ(model->noteText(), u"Yesterday's page\n"_s);

    QTest::mouseClick(view->openTodayButton(), Qt::LeftButton);
    EXPECT_EQ(calendar.dayOf(model->selectedDate()), dayOf(0));
    EXPECT_EQ(model->selection(), app::AppSection::journal);
}

TEST_F(JournalViewTest, externalEditsAndKeptConflicts_showWithoutLeavingTheScreen)
{
    writeNote(0, "Morning\n");
    makeView();
    ui::PreservedCopiesPanel *copies = view->preservedCopies();
    EXPECT_FALSE(copies->isVisible());

    // Another editor rewrites the day while nothing is typed: the list follows.
    ASSERT_TRUE(writeAndRenameOver(notePath(), "Evening, rewritten elsewhere\n"));
    ASSERT_TRUE(waitUntil([&] {
        return !view->results()->results().isEmpty() &&
               view->results()->results().first().excerpt == u"Evening, rewritten elsewhere"_s;
    }));

    // Both sides change: keeping both leaves a copy that the screen lists and reveals.
    model->noteChanged(u"Typed here\n"_s);
    ASSERT_TRUE(writeAndRenameOver(notePath(), "Typed there\n"));
    ASSERT_TRUE(waitUntil([&] { return model->noteConflict().has_value(); }));
    model->resolveConflictKeepingBoth();
    ASSERT_EQ(model->preservedCopies().size(), 1);
    EXPECT_TRUE(copies->isVisible());
    ASSERT_EQ(copies->buttons().size(), 1);
    QToolButton *button = copies->buttons().first();
    EXPECT_TRUE(
        button->accessibleName().contains(QFileInfo(model->preservedCopies().first()).fileName()));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(workspace.revealedFiles, model->preservedCopies());
}

// A long answer arrives in parts: later parts add rows below without moving the list.
TEST(JournalResultsModelTest, listFilledInParts_keepsTheCurrentRowAndTheScrolling)
{
    QList<app::JournalSearchResult> rows;
    for (int i = 0; i < 300; ++i)
        rows.append({QDate(2026, 1, 1).addDays(-i), u"line %1"_s.arg(i)});
    ui::JournalResultsModel results;
    QListView list;
    list.setUniformItemSizes(true);
    list.setModel(&results);
    list.resize(300, 200);
    list.show();
    ASSERT_TRUE(results.setResults(rows.first(100)));
    list.setCurrentIndex(results.index(60));
    list.scrollTo(results.index(60));
    const int scrolled = list.verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);
    EXPECT_FALSE(results.setResults(rows.first(200)));
    EXPECT_FALSE(results.setResults(rows));
    EXPECT_EQ(list.currentIndex().row(), 60);
    EXPECT_EQ(list.verticalScrollBar()->value(), scrolled);
    EXPECT_EQ(results.rowOf(rows.last().date), 299);
}

} // namespace
} // namespace wrenfold::testing
