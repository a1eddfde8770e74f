// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QDateTime>
#include <QWidget>

class QDateEdit;
class QPushButton;
class QTimer;
class QToolButton;

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::ui {

/// The row that moves between days: previous day, a date picker, next day and, away from
/// the current day, "Today". Every move saves the day being left before the new day is
/// loaded (`AppModel::showDay`).
class DayHeader final : public QWidget {
    Q_OBJECT
public:
    explicit DayHeader(app::AppModel &model, QWidget *parent = nullptr);

    /// Moves by whole calendar days in the user's time zone, so the time of day stays
    /// the same across daylight-saving changes. Zero does nothing.
    void moveByDays(int days);
    /// Moves to `day` keeping the selected time of day; the selected day or an invalid
    /// date does nothing.
    void moveToDay(const QDate &day);
    /// Moves to the current instant.
    void moveToToday();

    QToolButton *previousButton() const { return m_previous; }
    QToolButton *nextButton() const { return m_next; }
    QDateEdit *datePicker() const { return m_datePicker; }
    QPushButton *todayButton() const { return m_today; }

private:
    void refresh();
    void scheduleMidnightRefresh();

    app::AppModel &m_model;
    QToolButton *m_previous = nullptr;
    QDateEdit *m_datePicker = nullptr;
    QToolButton *m_next = nullptr;
    QPushButton *m_today = nullptr;
    QTimer *m_midnight = nullptr;
};

} // namespace wrenfold::ui
