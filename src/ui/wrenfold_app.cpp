// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/wrenfold_app.h"

#include "app/app_model.h"
#include "platform/calendar_store.h"
#include "ui/icons.h"
#include "ui/widgets/wrenfold_style.h"
#include "ui/window/main_window.h"
#include "ui/window/settings_window.h"
#include "ui/window/window_placement.h"

#include <QApplication>
#include <QPalette>
#include <QSettings>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {

WrenfoldApp::WrenfoldApp() : m_settings(std::make_unique<QSettings>())
{
    installIconThemeFallback();
    installWrenfoldStyle();

    m_calendarStore = std::make_unique<platform::CalendarStore>(
        *m_settings, platform::CalendarRoots::standard(),
        QApplication::palette().color(QPalette::Highlight));

    app::AppServices services;
    services.settings = m_settings.get();
    services.folderChooser = &m_folderChooser;
    services.workspace = &m_workspace;
    services.calendarStore = m_calendarStore.get();
    services.calendarPrompt = &m_calendarPrompt;
    services.documentsFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    services.network = &m_network;
    services.alerts = &m_alerts;
    services.installSettings.bundlePath =
        update::SelfUpdater::Settings::runningBundle(services.environment);
    // Queued, so the installer's answer finishes before the event loop ends.
    services.quit = [] {
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    };
    m_model = std::make_unique<app::AppModel>(std::move(services));

    m_window = std::make_unique<MainWindow>(*m_model, m_workspace);
    m_settingsWindow =
        std::make_unique<SettingsWindow>(*m_model, m_workspace, m_calendarStore.get());
    m_window->setSettingsWindow(m_settingsWindow.get());
    m_window->setCalendarSettingsOpener([this] { openCalendarSettings(); });
    m_window->watchSleep(m_sleepWatcher);
    m_folderChooser.setParent(m_settingsWindow.get());
    m_calendarPrompt.setParent(m_window.get());
    m_alerts.setParent(m_window.get());
}

WrenfoldApp::~WrenfoldApp()
{
    saveWindowPlacement(*m_window, *m_settings);
    // Windows first: they hold references to the model and the services.
    m_settingsWindow.reset();
    m_window.reset();
    m_model.reset();
}

void WrenfoldApp::show()
{
    restoreWindowPlacement(*m_window, *m_settings, QSize(1180, 760));
    m_window->show();
}

void WrenfoldApp::openCalendarSettings()
{
    m_settingsWindow->showCalendars();
}

} // namespace wrenfold::ui
