// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QWidget>

class QCheckBox;
class QListWidget;
class QPushButton;

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::platform {
class CalendarStore;
}

namespace wrenfold::ui {

/// The app's own calendar settings: whether Wrenfold may read calendars at all, which
/// calendars were found, and the .ics files or folders the user added. Every change
/// reloads the selected day's events; the list is read afresh each time the panel is
/// shown. Failures to remember a change show in the window's alert.
class CalendarSourcesPanel final : public QWidget {
    Q_OBJECT
public:
    CalendarSourcesPanel(app::AppModel &model, platform::CalendarStore &store,
                         QWidget *parent = nullptr);

    QCheckBox *accessBox() const { return m_access; }
    QListWidget *sourceList() const { return m_sources; }

    /// Adds the paths to the remembered sources (duplicates are dropped by the store).
    void addSources(const QStringList &paths);
    /// Forgets the user-added source at `path`; found calendars cannot be removed.
    void removeSource(const QString &path);

    /// Reads the authorization and the sources again.
    void refresh();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setAccess(bool allowed);
    void chooseFiles();
    void chooseFolder();

    app::AppModel &m_model;
    platform::CalendarStore &m_store;
    QCheckBox *m_access = nullptr;
    QListWidget *m_sources = nullptr;
    QPushButton *m_remove = nullptr;
};

} // namespace wrenfold::ui
