// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Keyboard reach of the main window: every control of the today screen can be reached
// with Tab, and the journal text can be left again without the mouse.
#include "app/app_model.h"
#include "core/perspective_catalogue.h"
#include "platform/calendar_access.h"
#include "platform/calendar_store.h"
#include "platform/folder_chooser.h"
#include "platform/workspace.h"
#include "support/test_support.h"
#include "ui/editor/journal_editor.h"
#include "ui/editor/markdown_text_view.h"
#include "ui/today/today_view.h"
#include "ui/window/main_window.h"
#include "ui/window/sidebar.h"

#include <QApplication>
#include <QListWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace wrenfold::testing {
namespace {

class NoFolderChooser final : public platform::FolderChooser {
public:
    std::optional<QString> chooseFolder(const QString &) override { return std::nullopt; }
};

class IdleWorkspace final : public platform::Workspace {
public:
    bool openFile(const QString &) override { return true; }
    bool openUrl(const QUrl &) override { return true; }
    bool revealFile(const QString &) override { return true; }
};

class NoCalendarPrompt final : public platform::CalendarAccessPrompt {
public:
    void askForCalendarAccess(const QStringList &,
                              std::function<void(platform::CalendarAccessAnswer)> reply) override
    {
        reply(platform::CalendarAccessAnswer::dontAllow);
    }
};

class KeyboardReachTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_settings =
            std::make_unique<QSettings>(m_dir.filePath(u"settings.ini"_s), QSettings::IniFormat);
        platform::CalendarRoots roots;
        roots.vdirRoots = {m_dir.filePath(u"calendars"_s)};
        m_store = std::make_unique<platform::CalendarStore>(*m_settings, roots, QColor(Qt::blue));
        app::AppServices services;
        services.settings = m_settings.get();
        services.folderChooser = &m_chooser;
        services.workspace = &m_workspace;
        services.calendarStore = m_store.get();
        services.calendarPrompt = &m_prompt;
        services.environment.insert(u"VESK_UI_TEST_ROOT"_s, m_dir.filePath(u"notes"_s));
        services.environment.insert(u"DISABLE_AUTO_UPDATE"_s, u"true"_s);
        services.environment.insert(u"XDG_STATE_HOME"_s, m_dir.filePath(u"state"_s));
        services.documentsFolder = m_dir.filePath(u"documents"_s);
        model = std::make_unique<app::AppModel>(std::move(services));
        model->insertPerspective(core::perspectives().first());
        window = std::make_unique<ui::MainWindow>(*model, m_workspace);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        today = qobject_cast<ui::TodayView *>(window->currentPage());
        ASSERT_NE(today, nullptr);
    }

    void TearDown() override
    {
        window.reset();
        model.reset();
    }

    static QWidget *focused() { return QApplication::focusWidget(); }

    // Presses Tab (with `modifiers`) on the focused widget and returns where focus went.
    static QWidget *press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(focused(), key, modifiers);
        return focused();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<platform::CalendarStore> m_store;
    NoFolderChooser m_chooser;
    IdleWorkspace m_workspace;
    NoCalendarPrompt m_prompt;
    std::unique_ptr<app::AppModel> model;
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
