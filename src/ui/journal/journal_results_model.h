// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "app/day_activity.h"

#include <QAbstractListModel>
#include <QDate>
#include <QHash>
#include <QList>

namespace wrenfold::ui {

/// The journal list's rows: one search result each, in the order given, and which day is
/// the selected one.
class JournalResultsModel final : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { DateRole = Qt::UserRole, ExcerptRole, SelectedDayRole };

    explicit JournalResultsModel(QObject *parent = nullptr);

    /// Takes a new result list. Equal lists change nothing; a longer list that starts with
    /// the current one (the rest of an answer that comes in parts) adds rows below; lists
    /// of the same days in the same order only update the excerpts (rows, current row and
    /// scrolling stay in both cases); any other list resets the rows. True when the rows
    /// were reset.
    bool setResults(const QList<app::JournalSearchResult> &results);
    const QList<app::JournalSearchResult> &results() const { return m_results; }

    /// Marks the row of `day` (if listed) as the selected day; the mark follows the day
    /// through later result lists.
    void setSelectedDay(const QDate &day);
    /// The row listing `day`, or -1.
    int rowOf(const QDate &day) const { return m_rows.value(day, -1); }

    int rowCount(const QModelIndex &parent = {}) const override;
    /// DisplayRole and AccessibleTextRole give the date and the excerpt.
    QVariant data(const QModelIndex &index, int role) const override;

private:
    void emitRowChanged(const QDate &day);

    QList<app::JournalSearchResult> m_results;
    QHash<QDate, int> m_rows;
    QDate m_selectedDay;
};

} // namespace wrenfold::ui
