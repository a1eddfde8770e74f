// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Keyboard reach of the main window: every control of the today screen can be reached
// with Tab, and the journal text can be left again without the mouse.
#include "core/perspective_catalogue.h"
#include "support/model_fixture.h"
#include "ui/editor/journal_editor.h"
#include "ui/editor/markdown_text_view.h"
#include "ui/today/today_view.h"
#include "ui/window/main_window.h"
#include "ui/window/sidebar.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace wrenfold::testing {
namespace {

class KeyboardReachTest : public UiWorld {
protected:
    void SetUp() override
    {
        UiWorld::SetUp();
        prompt.answer = platform::CalendarAccessAnswer::dontAllow;
        makeModel();
        model->insertPerspective(core::perspectives().first());
        window = std::make_unique<ui::MainWindow>(*model, workspace);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        today = qobject_cast<ui::TodayView *>(window->currentPage());
        ASSERT_NE(today, nullptr);
    }

    void TearDown() override { window.reset(); }

    static QWidget *focused() { return QApplication::focusWidget(); }

    // Presses Tab (with `modifiers`) on the focused widget and returns where focus went.
    static QWidget *press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(focused(), key, modifiers);
        return focused();
    }

    std::unique_ptr<ui::MainWindow> window;
    ui::TodayView *today = nullptr;
};

TEST_F(KeyboardReachTest, tab_reachesTheJournalHeaderAndToolbarBeforeTheText)
{
    window->sidebar()->list()->setFocus();
    QStringList reached;
    for (int i = 0; i < 30 && !focused()->inherits("wrenfold::ui::MarkdownTextView"); ++i)
        reached << press(Qt::Key_Tab)->accessibleName();

    ASSERT_TRUE(focused()->inherits("wrenfold::ui::MarkdownTextView"))
        << reached.join(u'|').toStdString();
    const QStringList expected{
        u"Write"_s,        u"Add Perspective"_s, u"Open in External Editor"_s,
        u"Bold"_s,         u"Italic"_s,          u"Heading"_s,
        u"Link"_s,         u"Bulleted List"_s,   u"Task"_s,
        u"Journal entry"_s};
    ASSERT_GE(reached.size(), expected.size());
    EXPECT_EQ(reached.mid(reached.size() - expected.size()), expected)
        << reached.join(u'|').toStdString();
}

TEST_F(KeyboardReachTest, ctrlTab_leavesTheJournalTextBothWaysWithoutTypingATab)
{
    QPlainTextEdit *text = today->editor()->textView();
    text->setFocus();
    QTest::keyClicks(text, u"Walk"_s);

    // Plain Tab stays a character of the entry.
    QTest::keyClick(text, Qt::Key_Tab);
    EXPECT_EQ(focused(), text);
    EXPECT_EQ(model->noteText(), u"Walk\t"_s);

    // The next stop is the first control below the text, not the area around the cards.
    EXPECT_EQ(press(Qt::Key_Tab, Qt::ControlModifier)->accessibleName(),
              u"Remove %1"_s.arg(core::perspectives().first().name));

    text->setFocus();
    EXPECT_EQ(press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier)->accessibleName(),
              u"Task"_s);
    EXPECT_EQ(model->noteText(), u"Walk\t"_s);
}

TEST_F(KeyboardReachTest, arrowOnTheModeSwitch_turnsToPreviewAndBack)
{
    window->sidebar()->list()->setFocus();
    for (int i = 0; i < 30 && focused()->accessibleName() != u"Write"_s; ++i)
        press(Qt::Key_Tab);
    ASSERT_EQ(focused()->accessibleName(), u"Write"_s);

    press(Qt::Key_Right);
    EXPECT_EQ(today->editor()->mode(), ui::JournalMode::preview);
    EXPECT_EQ(focused()->accessibleName(), u"Preview"_s);
    press(Qt::Key_Left);
    EXPECT_EQ(today->editor()->mode(), ui::JournalMode::write);
}

TEST_F(KeyboardReachTest, menuShortcuts_workWhileTypingInTheJournal)
{
    model->showDay(model->selectedDate().addDays(-3));
    QPlainTextEdit *text = today->editor()->textView();
    text->setFocus();
    QTest::keyClicks(text, u"Late entry"_s);

    QTest::keyClick(text, Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(model->selectedDate().date(), QDate::currentDate());
    EXPECT_EQ(model->selection(), app::AppSection::today);

    QTest::keyClick(focused(), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(model->presentNewFlow());
}

} // namespace
} // namespace wrenfold::testing
