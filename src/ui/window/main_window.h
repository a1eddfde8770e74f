// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "ui/window/section_pages.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <optional>

class QAction;
class QDialog;
class QMessageBox;
class QVBoxLayout;

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::platform {
class SleepWatcher;
class Workspace;
} // namespace wrenfold::platform

namespace wrenfold::ui {

class ConflictAlert;
class Sidebar;

/// The main window ("Wrenfold"): the section sidebar, the detail area with the selected
/// section's screen, the menus, and the window-wide alerts and sheets, each shown exactly
/// while its model property says so. Pending journal text is saved when the window
/// closes, when the application quits and before the computer sleeps; text that could not
/// be saved is kept in the recovery store, and closing says where (or asks first when it
/// could be kept nowhere).
class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    /// `workspace` opens the Help menu's addresses; both must outlive the window.
    MainWindow(app::AppModel &model, platform::Workspace &workspace, QWidget *parent = nullptr);
    ~MainWindow() override;

    /// Saves before each sleep that `watcher` announces.
    void watchSleep(platform::SleepWatcher &watcher);
    /// What the agenda's "Open Calendar Settings" opens; empty leaves the button inert.
    void setCalendarSettingsOpener(std::function<void()> opener);
    /// The settings window; the window shows it for the Settings command.
    void setSettingsWindow(QWidget *settingsWindow);

    /// The screen in the detail area (recreated whenever the section changes).
    QWidget *currentPage() const { return m_page; }
    Sidebar *sidebar() const { return m_sidebar; }
    /// Present while `errorMessage` / `noteConflict` is set.
    QMessageBox *errorAlert() const { return m_errorAlert; }
    ConflictAlert *conflictAlert() const { return m_conflictAlert; }

    QAction *newFlowAction() const { return m_newFlow; }
    QAction *todayAction() const { return m_today; }
    QAction *settingsAction() const { return m_settings; }
    QAction *updateAction() const { return m_update; }
    QAction *checkForUpdatesAction() const { return m_checkForUpdates; }
    QAction *helpAction() const { return m_help; }
    QAction *feedbackAction() const { return m_feedback; }
    QAction *privacyAction() const { return m_privacy; }

    /// The help, feedback and privacy addresses the Help menu opens.
    static QUrl helpURL();
    static QUrl privacyURL();

public slots:
    /// Writes pending journal text where nobody can answer a conflict (quit, sleep,
    /// window close): when both sides changed, the editor's text goes to a preserved copy.
    void saveForShutdown();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildMenus();
    void showSection();
    void syncUpdateActions();
    void syncErrorAlert();
    void syncConflictAlert();
    void syncSheets();
    void showAbout();
    void showSettings();
    /// Typing goes into the day's entry when the Today screen is on show.
    void focusTodayEditor();
    /// After the last save: true when the editor's text is safe or the user lets it go.
    bool mayCloseWithUnsavedText();

    app::AppModel &m_model;
    platform::Workspace &m_workspace;
    ScreenContext m_context;
    std::function<void()> m_calendarSettingsOpener;
    QPointer<QWidget> m_settingsWindow;

    Sidebar *m_sidebar = nullptr;
    QVBoxLayout *m_detail = nullptr;
    QWidget *m_page = nullptr;
    std::optional<app::AppSection> m_pageSection;
    bool m_hasBeenShown = false;

    QMessageBox *m_errorAlert = nullptr;
    ConflictAlert *m_conflictAlert = nullptr;
    QPointer<QDialog> m_newFlowSheet;
    QPointer<QDialog> m_editFlowSheet;
    QPointer<QDialog> m_reviewSheet;

    QAction *m_newFlow = nullptr;
    QAction *m_today = nullptr;
    QAction *m_settings = nullptr;
    QAction *m_quit = nullptr;
    QAction *m_update = nullptr;
    QAction *m_checkForUpdates = nullptr;
    QAction *m_about = nullptr;
    QAction *m_help = nullptr;
    QAction *m_feedback = nullptr;
    QAction *m_privacy = nullptr;
};

} // namespace wrenfold::ui
