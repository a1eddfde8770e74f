// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/window/main_window.h"

#include "app/app_model.h"
#include "platform/sleep_watcher.h"
#include "platform/workspace.h"
#include "ui/editor/journal_editor.h"
#include "ui/editor/markdown_text_view.h"
#include "ui/icons.h"
#include "ui/settings/about_dialog.h"
#include "ui/today/today_view.h"
#include "ui/window/conflict_alert.h"
#include "ui/window/keystroke_guard.h"
#include "ui/window/sidebar.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

// A sheet: a window-modal dialog around a screen. Any way of closing it counts as
// dismissal and runs `onDismissed`.
QDialog *openSheet(QWidget *parent, QWidget *content, const QString &title,
                   std::function<void()> onDismissed)
{
    auto *sheet = new QDialog(parent);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->setWindowTitle(title);
    sheet->setWindowModality(Qt::WindowModal);
    auto *column = new QVBoxLayout(sheet);
    column->setContentsMargins(0, 0, 0, 0);
    content->setParent(sheet);
    column->addWidget(content);
    sheet->resize(content->sizeHint().expandedTo(QSize(420, 320)));
    QObject::connect(sheet, &QDialog::finished, sheet,
                     [dismissed = std::move(onDismissed)] { dismissed(); });
    sheet->open();
    return sheet;
}

// Keeping both versions of a note is good news that arrives through the error alert.
bool isGoodNews(const QString &message)
{
    return message == QCoreApplication::translate(
                          "wrenfold::app::AppModel",
                          "Both versions were kept. The preserved copy is listed in Journal.");
}

void closeSheet(QPointer<QDialog> &sheet)
{
    if (sheet) {
        QDialog *closing = sheet;
        sheet = nullptr;
        closing->done(QDialog::Rejected);
    }
}

} // namespace

MainWindow::MainWindow(app::AppModel &model, platform::Workspace &workspace, QWidget *parent)
    : QMainWindow(parent), m_model(model), m_workspace(workspace)
{
    m_context.workspace = &workspace;
    // Screens keep this forwarder, so an opener given later reaches the screen on show
    // without building it again.
    m_context.openCalendarSettings = [this] {
        if (m_calendarSettingsOpener)
            m_calendarSettingsOpener();
    };
    installIconThemeFallback();
    setWindowTitle(tr("Wrenfold"));
    setObjectName(u"main"_s);
    resize(1180, 760);
    // Every screen fits without cutting anything off down to this size.
    setMinimumSize(760, 520);

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->setChildrenCollapsible(false);
    m_sidebar = new Sidebar(model, split);
    split->addWidget(m_sidebar);
    auto *detail = new QWidget(split);
    m_detail = new QVBoxLayout(detail);
    m_detail->setContentsMargins(0, 0, 0, 0);
    split->addWidget(detail);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({210, 970});
    setCentralWidget(split);

    buildMenus();

    connect(&m_model, &app::AppModel::selectionChanged, this, &MainWindow::showSection);
    connect(&m_model, &app::AppModel::availableUpdateChanged, this, &MainWindow::syncUpdateActions);
    connect(&m_model, &app::AppModel::isUpdatingChanged, this, &MainWindow::syncUpdateActions);
    connect(&m_model, &app::AppModel::isCheckingForUpdateChanged, this,
            &MainWindow::syncUpdateActions);
    connect(&m_model, &app::AppModel::errorMessageChanged, this, &MainWindow::syncErrorAlert);
    connect(&m_model, &app::AppModel::noteConflictChanged, this, &MainWindow::syncConflictAlert);
    connect(&m_model, &app::AppModel::presentNewFlowChanged, this, &MainWindow::syncSheets);
    connect(&m_model, &app::AppModel::editingFlowChanged, this, &MainWindow::syncSheets);
    connect(&m_model, &app::AppModel::reviewingFlowChanged, this, &MainWindow::syncSheets);
    if (auto *application = QCoreApplication::instance())
        connect(application, &QCoreApplication::aboutToQuit, this, &MainWindow::saveForShutdown);

    showSection();
    syncUpdateActions();
    // A failure during start-up (an unreadable flows file) is shown once the window is
    // on screen, so the alert belongs to it instead of floating alone.
    QTimer::singleShot(0, this, [this] {
        syncErrorAlert();
        syncConflictAlert();
        syncSheets();
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::watchSleep(platform::SleepWatcher &watcher)
{
    connect(&watcher, &platform::SleepWatcher::aboutToSleep, this, &MainWindow::saveForShutdown);
}

void MainWindow::setCalendarSettingsOpener(std::function<void()> opener)
{
    m_calendarSettingsOpener = std::move(opener);
}

void MainWindow::setSettingsWindow(QWidget *settingsWindow)
{
    m_settingsWindow = settingsWindow;
}

QUrl MainWindow::helpURL()
{
    QUrl url = app::AppModel::websiteURL();
    url.setPath(u"/wrenfold/help"_s);
    url.setQuery(QString());
    return url;
}

QUrl MainWindow::privacyURL()
{
    QUrl url = app::AppModel::websiteURL();
    url.setPath(u"/wrenfold/privacy"_s);
    url.setQuery(QString());
    return url;
}

void MainWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    m_newFlow = file->addAction(tr("New Flow"));
    m_newFlow->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    connect(m_newFlow, &QAction::triggered, this, [this] { m_model.setPresentNewFlow(true); });
    m_today = file->addAction(tr("Today"));
    m_today->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    connect(m_today, &QAction::triggered, this, [this] {
        m_model.goToToday();
        focusTodayEditor();
    });
    file->addSeparator();
    m_settings = file->addAction(tr("Settings…"));
    m_settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    m_settings->setMenuRole(QAction::PreferencesRole);
    connect(m_settings, &QAction::triggered, this, &MainWindow::showSettings);
    file->addSeparator();
    m_quit = file->addAction(tr("Quit"));
    m_quit->setShortcut(QKeySequence::Quit);
    m_quit->setMenuRole(QAction::QuitRole);
    connect(m_quit, &QAction::triggered, this, &QWidget::close);

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    m_help = help->addAction(tr("Wrenfold Help"));
    connect(m_help, &QAction::triggered, this, [this] { m_workspace.openUrl(helpURL()); });
    help->addSeparator();
    m_feedback = help->addAction(tr("Wrenfold Feedback…"));
    connect(m_feedback, &QAction::triggered, this,
            [this] { m_workspace.openUrl(app::AppModel::feedbackURL()); });
    m_privacy = help->addAction(tr("Privacy…"));
    connect(m_privacy, &QAction::triggered, this, [this] { m_workspace.openUrl(privacyURL()); });
    // Linux menus have no application menu: About and the update items close the Help
    // menu, as desktop applications there usually do.
    help->addSeparator();
    m_about = help->addAction(tr("About Wrenfold"));
    m_about->setMenuRole(QAction::AboutRole);
    connect(m_about, &QAction::triggered, this, &MainWindow::showAbout);
    m_update = help->addAction(QString());
    connect(m_update, &QAction::triggered, this, [this] { m_model.promptForUpdate(); });
    m_checkForUpdates = help->addAction(QString());
    connect(m_checkForUpdates, &QAction::triggered, this, [this] { m_model.checkForUpdates(); });
}

void MainWindow::showSection()
{
    const std::optional<app::AppSection> wanted = m_model.selection();
    // No selection shows the today screen too; keep it rather than rebuild the same one.
    const app::AppSection wantedPage = wanted.value_or(app::AppSection::today);
    if (m_page && m_pageSection == wantedPage)
        return;
    QWidget *old = m_page;
    m_page = createSectionPage(wanted, m_model, m_context, m_detail->parentWidget());
    m_pageSection = wantedPage;
    m_detail->addWidget(m_page);
    if (old) {
        const bool hadFocus = old->isAncestorOf(QApplication::focusWidget());
        old->hide();
        old->deleteLater();
        if (hadFocus)
            m_sidebar->setFocus();
    }
}

void MainWindow::syncUpdateActions()
{
    const bool updating = m_model.isUpdating();
    const bool checking = m_model.isCheckingForUpdate();
    const std::optional<core::UpdateInfo> &offer = m_model.availableUpdate();
    m_update->setVisible(offer.has_value());
    m_update->setText(updating ? tr("Installing update…")
                               : tr("Update to %1…").arg(offer ? offer->version : QString()));
    m_update->setEnabled(!updating);
    m_checkForUpdates->setText(checking ? tr("Checking for Updates…") : tr("Check for Updates…"));
    m_checkForUpdates->setEnabled(!checking && !updating);
}

void MainWindow::syncErrorAlert()
{
    const std::optional<QString> &message = m_model.errorMessage();
    if (!message) {
        if (m_errorAlert && m_errorAlert->isVisible())
            m_errorAlert->hide();
        return;
    }
    if (!m_errorAlert) {
        m_errorAlert = new QMessageBox(QMessageBox::Warning, tr("Wrenfold"), QString(),
                                       QMessageBox::NoButton, this);
        m_errorAlert->addButton(tr("OK"), QMessageBox::AcceptRole);
        new KeystrokeGuard(m_errorAlert);
        m_errorAlert->setWindowModality(Qt::WindowModal);
        // OK, Escape and the close button all dismiss it, and every dismissal clears the
        // message.
        connect(m_errorAlert, &QMessageBox::finished, this,
                [this] { m_model.setErrorMessage(std::nullopt); });
    }
    m_errorAlert->setIcon(isGoodNews(*message) ? QMessageBox::Information : QMessageBox::Warning);
    m_errorAlert->setText(*message);
    if (!m_errorAlert->isVisible())
        m_errorAlert->open();
}

void MainWindow::syncConflictAlert()
{
    if (!m_model.noteConflict()) {
        if (m_conflictAlert && m_conflictAlert->isVisible())
            m_conflictAlert->hide();
        return;
    }
    if (!m_conflictAlert) {
        m_conflictAlert = new ConflictAlert(this);
        connect(m_conflictAlert, &ConflictAlert::useExternalChosen, this,
                [this] { m_model.resolveConflictUsingExternal(); });
        connect(m_conflictAlert, &ConflictAlert::keepMineChosen, this,
                [this] { m_model.resolveConflictKeepingLocal(); });
        connect(m_conflictAlert, &ConflictAlert::keepBothChosen, this,
                [this] { m_model.resolveConflictKeepingBoth(); });
    }
    if (!m_conflictAlert->isVisible()) {
        m_conflictAlert->open();
        m_conflictAlert->setFocus();
    }
}

void MainWindow::syncSheets()
{
    if (m_model.presentNewFlow() && !m_newFlowSheet) {
        m_newFlowSheet = openSheet(this, createFlowEditorPage(m_model, std::nullopt, nullptr),
                                   tr("New Flow"), [this] {
                                       m_newFlowSheet = nullptr;
                                       m_model.setPresentNewFlow(false);
                                   });
    } else if (!m_model.presentNewFlow()) {
        closeSheet(m_newFlowSheet);
    }

    if (const std::optional<core::FlowItem> &flow = m_model.editingFlow();
        flow && !m_editFlowSheet) {
        m_editFlowSheet =
            openSheet(this, createFlowEditorPage(m_model, flow, nullptr), flow->title, [this] {
                m_editFlowSheet = nullptr;
                m_model.setEditingFlow(std::nullopt);
            });
    } else if (!flow) {
        closeSheet(m_editFlowSheet);
    }

    if (const std::optional<core::FlowItem> &flow = m_model.reviewingFlow();
        flow && !m_reviewSheet) {
        m_reviewSheet =
            openSheet(this, createFlowDetailPage(m_model, *flow, nullptr), flow->title, [this] {
                m_reviewSheet = nullptr;
                m_model.setReviewingFlow(std::nullopt);
            });
    } else if (!flow) {
        closeSheet(m_reviewSheet);
    }
}

void MainWindow::showAbout()
{
    auto *about = new AboutDialog(m_workspace, this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->open();
}

void MainWindow::showSettings()
{
    if (!m_settingsWindow)
        return;
    m_settingsWindow->show();
    m_settingsWindow->raise();
    m_settingsWindow->activateWindow();
}

void MainWindow::saveForShutdown()
{
    m_model.flushNoteForShutdown();
}

bool MainWindow::mayCloseWithUnsavedText()
{
    if (!m_model.hasUnsavedText())
        return true;
    // The note could not be written; say where the text is, or ask when it is nowhere.
    const QString kept = m_model.recoveryFile();
    if (!kept.isEmpty()) {
        QMessageBox told(QMessageBox::Information, tr("Wrenfold"),
                         tr("Your latest text could not be saved in its note. It is kept in "
                            "“%1” and will be put beside its note when Wrenfold can write "
                            "there again.")
                             .arg(QDir::toNativeSeparators(kept)),
                         QMessageBox::Ok, this);
        told.exec();
        return true;
    }
    QMessageBox asked(QMessageBox::Warning, tr("Wrenfold"),
                      tr("Your latest text could not be saved anywhere. If Wrenfold closes "
                         "now, it is lost."),
                      QMessageBox::NoButton, this);
    QPushButton *stay = asked.addButton(tr("Keep Wrenfold Open"), QMessageBox::RejectRole);
    asked.addButton(tr("Close and Lose It"), QMessageBox::DestructiveRole);
    asked.setDefaultButton(stay);
    asked.exec();
    return asked.clickedButton() != stay;
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_hasBeenShown) {
        m_hasBeenShown = true;
        focusTodayEditor();
    }
}

void MainWindow::focusTodayEditor()
{
    if (auto *today = qobject_cast<TodayView *>(m_page))
        today->editor()->textView()->setFocus(Qt::OtherFocusReason);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    saveForShutdown();
    if (!mayCloseWithUnsavedText()) {
        event->ignore();
        return;
    }
    if (m_settingsWindow)
        m_settingsWindow->close();
    QMainWindow::closeEvent(event);
}

} // namespace wrenfold::ui
