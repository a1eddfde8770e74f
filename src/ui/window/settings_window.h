// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QWidget>

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::platform {
class CalendarStore;
class Workspace;
} // namespace wrenfold::platform

namespace wrenfold::ui {

class SettingsView;

/// The settings window: a window of its own around the settings screen, sharing the one
/// model. It opens at the size of its content (as much of it as the screen holds),
/// centred over the window it was opened from, and does not keep the application running
/// once the main window is closed.
class SettingsWindow final : public QWidget {
    Q_OBJECT
public:
    /// `calendarStore` may be null (no Calendars section).
    SettingsWindow(app::AppModel &model, platform::Workspace &workspace,
                   platform::CalendarStore *calendarStore, QWidget *parent = nullptr);

    SettingsView *view() const { return m_view; }

    /// Shows the window in front with the Calendars section in view.
    void showCalendars();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void place();

    SettingsView *m_view = nullptr;
    bool m_isPlaced = false;
};

} // namespace wrenfold::ui
