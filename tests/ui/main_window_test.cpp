// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/perspective_catalogue.h"
#include "platform/sleep_watcher.h"
#include "support/model_fixture.h"
#include "ui/editor/journal_editor.h"
#include "ui/editor/markdown_text_view.h"
#include "ui/flows/flows_view.h"
#include "ui/today/today_view.h"
#include "ui/window/conflict_alert.h"
#include "ui/window/main_window.h"
#include "ui/window/section_pages.h"
#include "ui/window/sidebar.h"
#include "ui/window/window_placement.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using wrenfold::app::AppSection;

namespace wrenfold::testing {
namespace {

class MainWindowTest : public UiWorld {
protected:
    void makeWindow()
    {
        if (!model)
            makeModel();
        window = std::make_unique<ui::MainWindow>(*model, workspace);
        window->show();
    }

    /// The day's file holds "original"; the editor then holds "mine" while another
    /// application writes "theirs", and the model raises the conflict.
    void raiseConflict()
    {
        ASSERT_TRUE(writeFile(model->store().noteURL(model->selectedDate()), "original\n"));
        model->reloadAll();
        ASSERT_EQ(model->noteText(), u"original\n"_s);
        model->noteChanged(u"mine\n"_s);
        ASSERT_TRUE(writeFile(model->store().noteURL(model->selectedDate()), "theirs\n"));
        ASSERT_TRUE(waitUntil([&] { return model->noteConflict().has_value(); }));
        ASSERT_TRUE(waitUntil(
            [&] { return window->conflictAlert() && window->conflictAlert()->isVisible(); }));
    }

    std::unique_ptr<ui::MainWindow> window;
};

TEST_F(MainWindowTest, window_opensOnTodayWithTypingInTheEntryTheFiveSectionsAndMenus)
{
    makeWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto *today = qobject_cast<ui::TodayView *>(window->currentPage());
    ASSERT_NE(today, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), today->editor()->textView());
    QListWidget *list = window->sidebar()->list();
    QStringList titles;
    for (int row = 0; row < list->count(); ++row)
        titles << list->item(row)->text() + (list->item(row)->icon().isNull() ? u"!"_s : u""_s);
    EXPECT_EQ(titles.join(u' '), u"Today Calendar Journal Flows Perspectives"_s);
    EXPECT_EQ(window->sidebar()->highlightedSection(), AppSection::today);
    // The Today command from another section puts typing there again.
    model->setSelection(app::AppSection::calendar);
    window->sidebar()->setFocus();
    window->todayAction()->trigger();
    today = qobject_cast<ui::TodayView *>(window->currentPage());
    ASSERT_NE(today, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), today->editor()->textView());

    // No update is offered and nothing runs: only the check is there, and enabled.
    EXPECT_FALSE(window->updateAction()->isVisible());
    EXPECT_TRUE(window->checkForUpdatesAction()->isEnabled());
    window->helpAction()->trigger();
    window->feedbackAction()->trigger();
    window->privacyAction()->trigger();
    ASSERT_EQ(workspace.openedUrls.size(), 3);
    EXPECT_TRUE(workspace.openedUrls[0].path().endsWith(u"/wrenfold/help"_s));
    EXPECT_EQ(workspace.openedUrls[1].query(), u"app=wrenfold"_s);
    EXPECT_TRUE(workspace.openedUrls[2].path().endsWith(u"/wrenfold/privacy"_s));
}

TEST_F(MainWindowTest, choosingARow_setsSelectionAndShowsThatSection)
{
    makeWindow();
    QListWidget *list = window->sidebar()->list();
    const QRect rowRect = list->visualItemRect(list->item(3));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowRect.center());
    EXPECT_EQ(model->selection(), AppSection::flows);
    EXPECT_NE(qobject_cast<ui::FlowsView *>(window->currentPage()), nullptr);

    list->setFocus();
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(model->selection(), AppSection::journal);
    // No selection: the Today screen without a highlighted row.
    model->setSelection(std::nullopt);
    EXPECT_NE(qobject_cast<ui::TodayView *>(window->currentPage()), nullptr);
    EXPECT_EQ(window->sidebar()->highlightedSection(), std::nullopt);
    EXPECT_TRUE(window->sidebar()->list()->selectedItems().isEmpty());
}

// ---- Error alert ---------------------------------------------------------------------

TEST_F(MainWindowTest, errorAlert_showsStartUpErrorsAndMessagesAndAnyDismissalClearsIt)
{
    ASSERT_TRUE(writeFile(notesRoot + u"/flows.json"_s, "{ not json"));
    makeModel();
    ASSERT_TRUE(model->errorMessage().has_value());
    makeWindow();
    ASSERT_TRUE(
        waitUntil([&] { return window->errorAlert() && window->errorAlert()->isVisible(); }));
    EXPECT_EQ(window->errorAlert()->text(), *model->errorMessage());
    model->setErrorMessage(u"The disk is full."_s);
    EXPECT_TRUE(window->errorAlert()->isVisible());
    EXPECT_EQ(window->errorAlert()->text(), u"The disk is full."_s);
    QAbstractButton *ok = window->errorAlert()->buttons().value(0);
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(model->errorMessage(), std::nullopt);
    EXPECT_FALSE(window->errorAlert()->isVisible());
    // Any other way of dismissing it clears the message too.
    model->setErrorMessage(u"Second"_s);
    EXPECT_TRUE(window->errorAlert()->isVisible());
    window->errorAlert()->close();
    EXPECT_EQ(model->errorMessage(), std::nullopt);
}

// ---- Conflict alert ------------------------------------------------------------------

TEST_F(MainWindowTest, conflictAlert_hasItsButtonsInOrderAndOnlyAClickAnswersIt)
{
    makeWindow();
    raiseConflict();
    ui::ConflictAlert *alert = window->conflictAlert();
    EXPECT_EQ(alert->useExternalButton()->text(), u"Use External"_s);
    EXPECT_EQ(alert->keepMineButton()->text(), u"Keep Mine"_s);
    EXPECT_EQ(alert->keepBothButton()->text(), u"Keep Both"_s);
    EXPECT_LT(alert->useExternalButton()->x(), alert->keepMineButton()->x());
    EXPECT_LT(alert->keepMineButton()->x(), alert->keepBothButton()->x());
    QTest::keyClick(alert, Qt::Key_Escape);
    EXPECT_TRUE(alert->isVisible());
    alert->close();
    EXPECT_TRUE(alert->isVisible());
    alert->reject();
    EXPECT_TRUE(alert->isVisible());
    EXPECT_TRUE(model->noteConflict().has_value());
    EXPECT_FALSE(alert->windowFlags() & Qt::WindowCloseButtonHint);
    // The rest of the sentence the user was typing, wherever the focus went.
    for (QWidget *target : std::initializer_list<QWidget *>{
             alert, alert->useExternalButton(), alert->keepMineButton(), alert->keepBothButton()}) {
        QTest::keyClicks(target, u" and then"_s);
        QTest::keyClick(target, Qt::Key_Return);
    }
    EXPECT_TRUE(model->noteConflict().has_value());
    // Later, Return still has no default button to press.
    ASSERT_TRUE(waitUntil([&] { return !alert->ignoresKeys(); }));
    QTest::keyClick(alert, Qt::Key_Return);
    EXPECT_TRUE(model->noteConflict().has_value());
    EXPECT_TRUE(alert->isVisible());
}

TEST_F(MainWindowTest, eachConflictButton_endsTheConflictKeepingTheChosenTexts)
{
    using Button = QPushButton *(ui::ConflictAlert::*)() const;
    const QString kept = u"Both versions were kept. The preserved copy is listed in Journal."_s;
    const struct {
        Button button;
        QString fileAndEditor;
        QStringList preserved;
        std::optional<QString> message;
    } rows[] = {
        {&ui::ConflictAlert::useExternalButton, u"theirs\n"_s, {}, {}},
        {&ui::ConflictAlert::keepMineButton, u"mine\n"_s, {}, {}},
        {&ui::ConflictAlert::keepBothButton, u"theirs\n"_s, {u"mine\n"_s}, kept},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.fileAndEditor.toStdString() + row.preserved.join(u"").toStdString());
        window.reset();
        model.reset();
        ASSERT_TRUE(QDir(notesRoot).removeRecursively());
        makeWindow();
        raiseConflict();
        QTest::mouseClick((window->conflictAlert()->*row.button)(), Qt::LeftButton);

        EXPECT_FALSE(model->noteConflict().has_value());
        EXPECT_FALSE(window->conflictAlert()->isVisible());
        EXPECT_EQ(noteFileOf(model->selectedDate()), row.fileAndEditor);
        EXPECT_EQ(model->noteText(), row.fileAndEditor);
        EXPECT_EQ(preservedTexts(), row.preserved);
        EXPECT_EQ(model->errorMessage(), row.message);
        if (row.message) {
            ASSERT_NE(window->errorAlert(), nullptr);
            EXPECT_TRUE(window->errorAlert()->isVisible());
            // Good news, not a warning.
            EXPECT_EQ(window->errorAlert()->icon(), QMessageBox::Information);
        }
    }
}

// ---- Save points -----------------------------------------------------------------------

TEST_F(MainWindowTest, closingTheWindowOrGoingToSleep_savesPendingText)
{
    makeWindow();
    platform::SleepWatcher watcher(false);
    window->watchSleep(watcher);
    model->noteChanged(u"before the lid closes\n"_s);
    watcher.handlePrepareForSleep(true);
    EXPECT_EQ(noteFileOf(model->selectedDate()), u"before the lid closes\n"_s);
    EXPECT_FALSE(model->hasPendingSave());

    model->noteChanged(u"last words\n"_s);
    ASSERT_TRUE(model->hasPendingSave());
    window->close();
    EXPECT_EQ(noteFileOf(model->selectedDate()), u"last words\n"_s);
}

TEST_F(MainWindowTest, closingWhenTheNoteCannotBeWritten_saysWhereOrAsks)
{
    for (const bool recoveryWorks : {true, false}) {
        SCOPED_TRACE(recoveryWorks ? "recovery store" : "nowhere");
        window.reset();
        model.reset();
        if (!recoveryWorks) {
            ASSERT_TRUE(writeFile(path(u"blocked"_s), "a file where the state folder belongs"));
            environment.insert(u"XDG_STATE_HOME"_s, path(u"blocked"_s));
        }
        makeWindow();
        ASSERT_TRUE(writeFile(notesRoot + u"/Journal"_s, "in the way"));
        model->noteChanged(u"unsaved words\n"_s);

        QString said;
        QTimer answerer;
        QObject::connect(&answerer, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || box == window->errorAlert())
                return;
            said = box->text();
            for (QAbstractButton *button : box->buttons()) {
                if (button->text() == u"Keep Wrenfold Open"_s || box->buttons().size() == 1) {
                    button->click();
                    return;
                }
            }
        });
        answerer.start(10);
        window->close();

        if (recoveryWorks) {
            EXPECT_FALSE(window->isVisible());
            EXPECT_TRUE(said.contains(model->recoveryFolder())) << said.toStdString();
            EXPECT_EQ(recoveredTexts(), QStringList{u"unsaved words\n"_s});
        } else {
            EXPECT_TRUE(window->isVisible()) << "closed with the text nowhere";
            EXPECT_FALSE(said.isEmpty());
            EXPECT_EQ(model->noteText(), u"unsaved words\n"_s);
        }
    }
}

// ---- Focus and placement -----------------------------------------------------------------

TEST_F(MainWindowTest, atTheMinimumSize_everyScreenFitsWithoutCuttingAControl)
{
    makeWindow();
    window->resize(window->minimumSize());
    ASSERT_LE(window->minimumWidth(), 800);
    ASSERT_LE(window->minimumHeight(), 560);
    for (app::AppSection section : app::allAppSections()) {
        model->setSelection(section);
        // A new screen's layouts settle over a few rounds of posted layout requests.
        for (int round = 0; round < 5; ++round)
            QCoreApplication::processEvents();
        for (QWidget *part : window->findChildren<QWidget *>()) {
            // Whatever scrolls may reach past its viewport; everything else must show whole.
            bool scrolled = false;
            for (QWidget *up = part->parentWidget(); up && !scrolled; up = up->parentWidget())
                scrolled = qobject_cast<QAbstractScrollArea *>(up->parentWidget()) &&
                           up->objectName() == u"qt_scrollarea_viewport"_s;
            if (!part->isVisible() || scrolled || part->isWindow())
                continue;
            const QRect shown(part->mapTo(window.get(), QPoint()), part->size());
            EXPECT_TRUE(window->rect().contains(shown))
                << app::rawValue(section).toStdString() << ": " << part->metaObject()->className()
                << " " << part->objectName().toStdString();
        }
    }
}

TEST_F(MainWindowTest, placement_isRememberedAndKeptInsideTheWorkArea)
{
    makeWindow();
    window->hide();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    ui::restoreWindowPlacement(*window, *settings, QSize(5000, 5000));
    EXPECT_TRUE(available.contains(window->geometry()));

    window->setGeometry(QRect(available.topLeft() + QPoint(10, 40), QSize(780, 540)));
    ui::saveWindowPlacement(*window, *settings);
    ui::MainWindow next(*model, workspace);
    ui::restoreWindowPlacement(next, *settings, QSize(1180, 760));
    EXPECT_EQ(next.size(), QSize(780, 540));

    const QRect screen(0, 0, 1280, 720);
    const std::pair<QRect, QRect> rows[] = {
        {QRect(100, 50, 800, 560), QRect(100, 50, 800, 560)},   // fits: unchanged
        {QRect(0, 0, 2360, 1520), QRect(0, 0, 1280, 720)},      // 2x default: shrunk
        {QRect(900, 600, 800, 560), QRect(480, 160, 800, 560)}, // past the corner: moved in
        {QRect(-300, -40, 800, 560), QRect(0, 0, 800, 560)},
    };
    for (const auto &[wanted, expected] : rows)
        EXPECT_EQ(ui::fittedInto(wanted, screen), expected);
}

// ---- Keyboard reach: every control of the today screen can be reached with Tab, and the
// journal text can be left again without the mouse.
class KeyboardReachTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        prompt.answer = platform::CalendarAccessAnswer::dontAllow;
        makeModel();
        model->insertPerspective(core::perspectives().first());
        makeWindow();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        today = qobject_cast<ui::TodayView *>(window->currentPage());
        ASSERT_NE(today, nullptr);
    }

    static QWidget *focused() { return QApplication::focusWidget(); }

    // Presses Tab (with `modifiers`) on the focused widget and returns where focus went.
    static QWidget *press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(focused(), key, modifiers);
        return focused();
    }

    ui::TodayView *today = nullptr;
};

TEST_F(KeyboardReachTest, tab_reachesTheHeaderAndToolbarBeforeTheTextAndArrowsTurnTheModeSwitch)
{
    window->sidebar()->list()->setFocus();
    QStringList reached;
    for (int i = 0; i < 30 && !focused()->inherits("wrenfold::ui::MarkdownTextView"); ++i) {
        reached << press(Qt::Key_Tab)->accessibleName();
        if (reached.last() == u"Write"_s) {
            // Arrows on the mode switch turn to Preview and back.
            EXPECT_EQ(press(Qt::Key_Right)->accessibleName(), u"Preview"_s);
            EXPECT_EQ(today->editor()->mode(), ui::JournalMode::preview);
            EXPECT_EQ(press(Qt::Key_Left)->accessibleName(), u"Write"_s);
            EXPECT_EQ(today->editor()->mode(), ui::JournalMode::write);
        }
    }

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

TEST_F(KeyboardReachTest, menuShortcuts_workWhileTypingInTheJournal)
{
    const QDateTime earlier = model->selectedDate().addDays(-3);
    model->showDay(earlier);
    QPlainTextEdit *text = today->editor()->textView();
    text->setFocus();
    QTest::keyClicks(text, u"Late entry"_s);

    // The day left is saved; today, still empty, is not written.
    QTest::keyClick(text, Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(noteFileOf(earlier), u"Late entry"_s);
    EXPECT_EQ(model->selectedDate().date(), QDate::currentDate());
    EXPECT_EQ(model->selection(), app::AppSection::today);
    EXPECT_FALSE(noteExists(model->selectedDate()));

    // New Flow presents its sheet until it is dismissed.
    QTest::keyClick(focused(), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(model->presentNewFlow());
    QDialog *sheet = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        for (QDialog *dialog : window->findChildren<QDialog *>())
            if (dialog->isVisible())
                sheet = dialog;
        return sheet != nullptr;
    }));
    sheet->reject();
    EXPECT_FALSE(model->presentNewFlow());
}

} // namespace
} // namespace wrenfold::testing
