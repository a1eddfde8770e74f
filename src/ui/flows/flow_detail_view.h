// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/journal.h"

#include <QDate>
#include <QPointer>
#include <QWidget>

#include <array>

class QGridLayout;
class QLabel;
class QPushButton;
class QToolButton;

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::ui {

class GrowingTextEdit;

/// One day of the flow's month grid: the day number and, below it, a purple dot when the
/// day's journal mentions the flow and a green check when its habit was done that day.
class FlowDayTile final : public QWidget {
    Q_OBJECT
public:
    FlowDayTile(const QDate &day, bool mentioned, bool completed, QWidget *parent = nullptr);

    QDate day() const { return m_day; }
    bool mentioned() const { return m_mentioned; }
    bool completed() const { return m_completed; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QDate m_day;
    bool m_mentioned;
    bool m_completed;
};

/// The content of a flow's sheet: its month grid of mentions and completed habit days,
/// and the month's review in five texts. A month's review is stored when the user moves
/// to another month, on "Done", and on any other way the sheet closes (Escape, its close
/// button, the application quitting), so typed text is never dropped.
class FlowDetailView final : public QWidget {
    Q_OBJECT
public:
    /// Shows the current month of the model's calendar.
    FlowDetailView(app::AppModel &model, const core::FlowItem &flow, QWidget *parent = nullptr);
    ~FlowDetailView() override;

    /// The shown month's first day.
    QDate month() const { return m_month; }
    /// Stores the shown month's review and moves by `offset` months (a month that cannot
    /// be formed leaves the view where it is, review stored).
    void changeMonth(int offset);
    /// Stores the review and closes the sheet (through the model's `reviewingFlow`).
    void done();
    /// The review as typed.
    core::FlowReview review() const;

    QPushButton *doneButton() const { return m_done; }
    QToolButton *previousMonthButton() const { return m_previous; }
    QToolButton *nextMonthButton() const { return m_next; }
    QLabel *monthTitle() const { return m_monthTitle; }
    QWidget *completedLegend() const { return m_completedLegend; }
    /// In order: why this matters, noticing, may affect, looking back, carry forward.
    const std::array<GrowingTextEdit *, 5> &reviewFields() const { return m_fields; }
    /// The day tiles of the shown month, first day first.
    QList<FlowDayTile *> tiles() const { return m_tiles; }

    /// The sheet opens at 720×760; smaller windows scroll the month and the review.
    QSize sizeHint() const override { return {720, 760}; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QDateTime monthStart() const;
    /// Any close of the sheet other than "Done" (Escape, its close button).
    void onSheetFinished();
    void storeReview();
    void loadReview();
    void rebuildGrid();

    QPointer<app::AppModel> m_model;
    core::FlowItem m_flow;
    QDate m_month;
    bool m_finished = false;

    QPushButton *m_done = nullptr;
    QToolButton *m_previous = nullptr;
    QToolButton *m_next = nullptr;
    QLabel *m_monthTitle = nullptr;
    QWidget *m_completedLegend = nullptr;
    QGridLayout *m_grid = nullptr;
    QList<QWidget *> m_gridCells;
    QList<FlowDayTile *> m_tiles;
    std::array<GrowingTextEdit *, 5> m_fields{};
};

} // namespace wrenfold::ui
