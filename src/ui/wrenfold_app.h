// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "platform/sleep_watcher.h"
#include "platform/workspace.h"
#include "ui/platform_dialogs.h"

#include <QNetworkAccessManager>

#include <memory>

class QSettings;

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::platform {
class CalendarStore;
}

namespace wrenfold::ui {

class MainWindow;
class SettingsWindow;

/// The application: creates the one model with the desktop's services (settings, folder
/// dialog, calendar store and prompt, file opener), the main window and the settings
/// window, and keeps them for the life of the process. Needs a QApplication.
class WrenfoldApp final {
public:
    WrenfoldApp();
    ~WrenfoldApp();
    WrenfoldApp(const WrenfoldApp &) = delete;
    WrenfoldApp &operator=(const WrenfoldApp &) = delete;

    /// Shows the main window on the today section.
    void show();

    app::AppModel &model() { return *m_model; }
    MainWindow &mainWindow() { return *m_window; }

private:
    void openCalendarSettings();

    std::unique_ptr<QSettings> m_settings;
    platform::DesktopWorkspace m_workspace;
    DialogFolderChooser m_folderChooser;
    DialogCalendarAccessPrompt m_calendarPrompt;
    DialogAlerts m_alerts;
    QNetworkAccessManager m_network;
    std::unique_ptr<platform::CalendarStore> m_calendarStore;
    platform::SleepWatcher m_sleepWatcher;
    std::unique_ptr<app::AppModel> m_model;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<SettingsWindow> m_settingsWindow;
};

} // namespace wrenfold::ui
