// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "app/day_activity.h"

#include <QAbstractButton>
#include <QDate>
#include <QPixmap>

namespace wrenfold::ui {

/// The three activity marks, drawn once per screen and shared by its cells.
struct ActivityIcons {
    QPixmap journal;
    QPixmap habit;
    QPixmap flow;
    /// Tinted pixmaps of `size` device-independent pixels for `widget`'s screen.
    static ActivityIcons make(int size, const QWidget *widget);
};

/// One day of the month grid: the day number, then a mark for each kind of activity the
/// day has (journal entry, completed habit, flow mention; presence only, no counts). A
/// plain button without chrome on a rounded card, tinted with the accent colour while
/// the day is the selected one.
class DayCell final : public QAbstractButton {
    Q_OBJECT
public:
    DayCell(const ActivityIcons &icons, QWidget *parent = nullptr);

    /// Shows `day` with `activity`; the accessible name says the full date and what
    /// happened on it. Repaints only when something changed.
    void setDay(const QDate &day, const app::DayActivity &activity, bool selected);

    QDate day() const { return m_day; }
    app::DayActivity activity() const { return m_activity; }
    bool isSelectedDay() const { return m_selected; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const ActivityIcons &m_icons;
    QDate m_day;
    app::DayActivity m_activity;
    bool m_selected = false;
};

} // namespace wrenfold::ui
