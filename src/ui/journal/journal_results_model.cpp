// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/journal/journal_results_model.h"

#include "ui/today/day_format.h"

namespace wrenfold::ui {

JournalResultsModel::JournalResultsModel(QObject *parent) : QAbstractListModel(parent) {}

bool JournalResultsModel::setResults(const QList<app::JournalSearchResult> &results)
{
    if (results == m_results)
        return false;
    // The rest of a list that arrives in parts: new rows go below, so the rows in view, the
    // current row and the scrolling stay.
    if (!m_results.isEmpty() && results.size() > m_results.size() &&
        std::equal(m_results.begin(), m_results.end(), results.begin())) {
        const qsizetype first = m_results.size();
        beginInsertRows({}, int(first), int(results.size() - 1));
        m_results = results;
        for (qsizetype row = first; row < m_results.size(); ++row)
            m_rows.insert(m_results[row].date, int(row));
        endInsertRows();
        return false;
    }
    const bool sameDays = results.size() == m_results.size() &&
                          std::equal(results.begin(), results.end(), m_results.begin(),
                                     [](const auto &a, const auto &b) { return a.date == b.date; });
    if (sameDays) {
        // An edit changed some excerpts: keep the rows so the list does not jump.
        for (qsizetype row = 0; row < results.size(); ++row) {
            if (results[row].excerpt != m_results[row].excerpt) {
                m_results[row].excerpt = results[row].excerpt;
                emit dataChanged(index(int(row)), index(int(row)));
            }
        }
        return false;
    }
    beginResetModel();
    m_results = results;
    m_rows.clear();
    m_rows.reserve(m_results.size());
    for (qsizetype row = 0; row < m_results.size(); ++row)
        m_rows.insert(m_results[row].date, int(row));
    endResetModel();
    return true;
}

void JournalResultsModel::setSelectedDay(const QDate &day)
{
    if (day == m_selectedDay)
        return;
    const QDate old = m_selectedDay;
    m_selectedDay = day;
    emitRowChanged(old);
    emitRowChanged(day);
}

void JournalResultsModel::emitRowChanged(const QDate &day)
{
    if (const int row = rowOf(day); row >= 0)
        emit dataChanged(index(row), index(row), {SelectedDayRole});
}

int JournalResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_results.size());
}

QVariant JournalResultsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_results.size())
        return {};
    const app::JournalSearchResult &result = m_results.at(index.row());
    switch (role) {
    case DateRole:
        return result.date;
    case ExcerptRole:
        return result.excerpt;
    case SelectedDayRole:
        return result.date == m_selectedDay;
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return QString(abbreviatedDate(result.date) + u": " + result.excerpt);
    default:
        return {};
    }
}

} // namespace wrenfold::ui
