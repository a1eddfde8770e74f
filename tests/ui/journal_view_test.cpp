// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "support/model_fixture.h"
#include "ui/editor/journal_editor.h"
#include "ui/editor/markdown_text_view.h"
#include "ui/journal/journal_results_model.h"
#include "ui/journal/journal_view.h"
#include "ui/journal/preserved_copies_panel.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace wrenfold::testing {
namespace {

class JournalViewTest : public UiWorld {
protected:
    ui::JournalView &makeView()
    {
        if (!model)
            makeModel();
        model->setSelection(app::AppSection::journal);
        view = std::make_unique<ui::JournalView>(*model, &workspace);
        view->resize(1100, 700);
        view->show();
        QApplication::setActiveWindow(view.get());
        return *view;
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
