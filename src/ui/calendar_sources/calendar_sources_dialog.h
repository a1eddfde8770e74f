// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QDialog>

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
/// calendars were found, and the .ics files or folders the user added. Closing it reloads
/// the selected day's events. Failures to remember a change show in the window's alert.
class CalendarSourcesDialog final : public QDialog {
    Q_OBJECT
public:
    CalendarSourcesDialog(app::AppModel &model, platform::CalendarStore &store,
                          QWidget *parent = nullptr);

    QCheckBox *accessBox() const { return m_access; }
    QListWidget *sourceList() const { return m_sources; }

    /// Adds the paths to the remembered sources (duplicates are dropped by the store).
    void addSources(const QStringList &paths);
    /// Forgets the user-added source at `path`; found calendars cannot be removed.
    void removeSource(const QString &path);

protected:
    void done(int result) override;

private:
    void refresh();
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
