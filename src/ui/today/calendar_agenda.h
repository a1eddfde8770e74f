// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "platform/calendar_item.h"

#include <QList>
#include <QWidget>

#include <functional>

class QLabel;
class QListWidget;
class QStackedWidget;
class QTimer;

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::ui {

class EmptyStatePanel;

/// The selected day's events beside the journal, or the panel that explains why there are
/// none: access off (restricted, denied), no events, or not yet connected. While another
/// day's events are read it stays quiet: an empty body that says "Loading events…" only
/// when the read takes a moment.
class CalendarAgenda final : public QWidget {
    Q_OBJECT
public:
    /// What the body shows, by `calendarStatus` and `calendarItems`.
    enum class State { accessOff, noEvents, events, connect, loading };
    Q_ENUM(State)

    /// `openCalendarSettings` runs for "Open Calendar Settings" (the app's own calendar
    /// sources dialog); an empty function leaves the button without effect.
    explicit CalendarAgenda(app::AppModel &model, std::function<void()> openCalendarSettings = {},
                            QWidget *parent = nullptr);

    State state() const { return m_state; }
    /// The list of the day's events (empty unless the state is `events`).
    QListWidget *eventList() const { return m_list; }
    EmptyStatePanel *accessOffPanel() const { return m_accessOff; }
    EmptyStatePanel *noEventsPanel() const { return m_noEvents; }
    EmptyStatePanel *connectPanel() const { return m_connect; }
    QLabel *loadingLabel() const { return m_loadingLabel; }
    /// Shown under the list while the day holds more events than it shows.
    QLabel *cutNote() const { return m_cutNote; }

private:
    void refresh();
    void showItems(const QList<platform::CalendarItem> &items);

    app::AppModel &m_model;
    std::function<void()> m_openCalendarSettings;
    State m_state = State::connect;
    QStackedWidget *m_body = nullptr;
    EmptyStatePanel *m_accessOff = nullptr;
    EmptyStatePanel *m_noEvents = nullptr;
    EmptyStatePanel *m_connect = nullptr;
    QListWidget *m_list = nullptr;
    QWidget *m_loading = nullptr;
    QLabel *m_loadingLabel = nullptr;
    QTimer *m_loadingDelay = nullptr;
    QLabel *m_cutNote = nullptr;
    QList<platform::CalendarItem> m_shownItems;
};

} // namespace wrenfold::ui
