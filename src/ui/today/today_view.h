// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QSplitter;

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::ui {

class CalendarAgenda;
class DayHeader;
class JournalEditor;
class JournalHabitsFooter;
class PerspectiveCards;
class RootNotice;

/// The working surface for one day: the day header and title, the day's calendar agenda
/// on the left and the journal (with the day's perspectives and habits below it) on the
/// right. Keeps no state of its own.
class TodayView final : public QWidget {
    Q_OBJECT
public:
    /// `openCalendarSettings` is what the agenda's "Open Calendar Settings" runs.
    explicit TodayView(app::AppModel &model, std::function<void()> openCalendarSettings = {},
                       QWidget *parent = nullptr);

    DayHeader *dayHeader() const { return m_header; }
    QLabel *dateTitle() const { return m_title; }
    CalendarAgenda *agenda() const { return m_agenda; }
    JournalEditor *editor() const { return m_editor; }
    PerspectiveCards *perspectiveCards() const { return m_cards; }
    JournalHabitsFooter *habitsFooter() const { return m_habits; }
    /// The first-start note on where the journal is kept.
    RootNotice *rootNotice() const { return m_rootNotice; }

private:
    void refreshTitle();

    app::AppModel &m_model;
    DayHeader *m_header = nullptr;
    QLabel *m_title = nullptr;
    QSplitter *m_split = nullptr;
    CalendarAgenda *m_agenda = nullptr;
    JournalEditor *m_editor = nullptr;
    PerspectiveCards *m_cards = nullptr;
    JournalHabitsFooter *m_habits = nullptr;
    RootNotice *m_rootNotice = nullptr;
};

} // namespace wrenfold::ui
