// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "ui/calendar/day_cell.h"

#include <QDate>
#include <QList>
#include <QWidget>

class QGridLayout;
class QLabel;
class QPushButton;
class QTimer;
class QToolButton;

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::ui {

/// One month as a grid of days, each marked with what happened on it, and the legend.
/// Picking a day makes it the model's selected day without leaving the screen. The
/// shown month is the screen's own state: moving months never changes the selected day.
///
/// Keyboard: arrow keys move between days (across month edges), Page Up / Page Down
/// between months, Enter or Space picks the focused day.
class CalendarView final : public QWidget {
    Q_OBJECT
public:
    /// Starts on the current month.
    explicit CalendarView(app::AppModel &model, QWidget *parent = nullptr);

    /// The first day of the shown month.
    QDate visibleMonth() const { return m_visibleMonth; }
    /// Shows the month `months` away from the shown one; zero does nothing.
    void moveMonth(int months);
    /// Shows the current month and makes now the selected day.
    void showToday();

    /// The cell showing `day`, or null when its month is not shown.
    DayCell *cellFor(const QDate &day) const;
    /// The grid: weekday names in row 0, days from row 1.
    QGridLayout *grid() const { return m_grid; }
    QLabel *monthLabel() const { return m_title; }
    QToolButton *previousButton() const { return m_previous; }
    QToolButton *nextButton() const { return m_next; }
    QPushButton *todayButton() const { return m_today; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showMonth(const QDate &month);
    /// Re-reads every shown day's activity and the selection; cells repaint only when
    /// their content changed.
    void refreshCells();
    void pick(const QDate &day);
    void focusDay(const QDate &day);

    app::AppModel &m_model;
    QDate m_visibleMonth;
    ActivityIcons m_icons;
    QLabel *m_title = nullptr;
    QToolButton *m_previous = nullptr;
    QToolButton *m_next = nullptr;
    QPushButton *m_today = nullptr;
    QGridLayout *m_grid = nullptr;
    QList<QLabel *> m_weekdays;
    QList<DayCell *> m_cells; ///< 42 positions, six weeks of seven days
    QTimer *m_refresh = nullptr;
};

} // namespace wrenfold::ui
