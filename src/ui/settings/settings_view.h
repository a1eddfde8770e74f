// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::platform {
class CalendarStore;
class Workspace;
} // namespace wrenfold::platform

namespace wrenfold::ui {

class CalendarSourcesPanel;
class ElidedLabel;

/// The content of the settings window, one form of four sections: "Files" (the notes
/// folder and "Choose folder…"), "Perspectives" (the default perspective), "Calendars"
/// (only with a calendar store: access and sources) and "About". Keeps no state: every
/// value is the model's and every change goes straight to it.
class SettingsView final : public QWidget {
    Q_OBJECT
public:
    /// `calendarStore` may be null; the Calendars section is left out then. The model,
    /// the workspace and the store must outlive the view.
    SettingsView(app::AppModel &model, platform::Workspace &workspace,
                 platform::CalendarStore *calendarStore, QWidget *parent = nullptr);

    /// Scrolls the Calendars section into view and puts the focus on its access switch.
    void showCalendars();

    ElidedLabel *folderLabel() const { return m_folder; }
    QPushButton *chooseFolderButton() const { return m_chooseFolder; }
    /// "None" first, then every perspective's raw value in catalogue order.
    QComboBox *defaultPerspectivePicker() const { return m_defaultPerspective; }
    /// Null without a calendar store.
    CalendarSourcesPanel *calendarsPanel() const { return m_calendars; }
    QLabel *versionLabel() const { return m_version; }

    QSize sizeHint() const override;

private:
    void refreshFolder();
    void refreshDefaultPerspective();

    app::AppModel &m_model;
    QScrollArea *m_scroll = nullptr;
    QWidget *m_form = nullptr;
    ElidedLabel *m_folder = nullptr;
    QPushButton *m_chooseFolder = nullptr;
    QComboBox *m_defaultPerspective = nullptr;
    QWidget *m_calendarsSection = nullptr;
    CalendarSourcesPanel *m_calendars = nullptr;
    QLabel *m_version = nullptr;
};

} // namespace wrenfold::ui
