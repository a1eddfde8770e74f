// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QAbstractButton>
#include <QList>
#include <QLocale>
#include <QSet>
#include <QWidget>

namespace wrenfold::ui {

/// Seven toggle buttons, one per weekday, starting at `firstDayOfWeek`. Each shows the
/// locale's narrow weekday name ("M"), carries the full name ("Monday") as its accessible
/// name and is checked while its weekday is selected. Weekday numbers are those of the
/// flows file: 1 Sunday ... 7 Saturday; numbers outside 1-7 in a given selection are kept
/// but shown nowhere.
class WeekdayPicker final : public QWidget {
    Q_OBJECT
public:
    WeekdayPicker(Qt::DayOfWeek firstDayOfWeek, const QLocale &locale = QLocale(),
                  QWidget *parent = nullptr);

    QSet<int> selection() const { return m_selection; }
    /// Shows `selection` without emitting `selectionChanged`.
    void setSelection(const QSet<int> &selection);

    /// The buttons in the order shown.
    const QList<QAbstractButton *> &buttons() const { return m_buttons; }
    /// The weekday number of each button, in the order shown.
    const QList<int> &weekdayOrder() const { return m_order; }

signals:
    /// A button was pressed: its weekday was added or removed.
    void selectionChanged(const QSet<int> &selection);

private:
    void sync();

    QSet<int> m_selection;
    QList<int> m_order;
    QList<QAbstractButton *> m_buttons;
};

} // namespace wrenfold::ui
