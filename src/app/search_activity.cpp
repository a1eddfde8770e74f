// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Read-only queries over the day files: search, day activity, the selected week.
#include "app/app_model.h"
#include "app/search_text.h"

#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace wrenfold::app {

namespace {

// The store is re-created whenever the notes folder changes; the index follows it so
// that no text of the old folder is ever served for the new one.
JournalIndex &indexFor(JournalIndex &index, const core::MarkdownStore &store)
{
    if (index.store().root() != store.root() || !(index.store().calendar() == store.calendar()))
        index.setStore(store);
    return index;
}

} // namespace

QList<JournalSearchResult> AppModel::journalResults(const QString &query) const
{
    return indexFor(m_journalIndex, m_store).journalResults(m_noteDates, query);
}

void AppModel::setJournalQuery(const QString &query)
{
    setJournalSearchState(query, m_journalSearchResults);
    if (!m_journalSearchWorker) {
        // The index is rebuildable, so it lives in the cache folder, never beside the notes.
        const QString cache =
            QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        m_journalSearchWorker = std::make_unique<JournalSearchWorker>(
            cache.isEmpty() ? QString() : cache + u"/wrenfold"_s);
        connect(
            m_journalSearchWorker.get(), &JournalSearchWorker::answered, this,
            [this](const QString &answeredQuery, const QList<JournalSearchResult> &results, bool) {
                if (answeredQuery == m_journalQuery)
                    setJournalSearchState(answeredQuery, results);
            });
        connect(m_journalSearchWorker.get(), &JournalSearchWorker::progressChanged, this,
                [this](std::optional<double> progress) { setJournalIndexProgress(progress); });
        connect(this, &AppModel::noteDatesChanged, this,
                [this] { m_journalSearchWorker->search(m_store, m_noteDates, m_journalQuery); });
    }
    m_journalSearchWorker->search(m_store, m_noteDates, m_journalQuery);
}

DayActivity AppModel::activity(const QDateTime &date) const
{
    const QDate day = m_store.calendar().dayOf(date);
    if (!day.isValid())
        return {};
    return indexFor(m_journalIndex, m_store).activity(day);
}

FlowDayActivity AppModel::activity(const core::FlowItem &flow, const QDateTime &date) const
{
    const QDate day = m_store.calendar().dayOf(date);
    if (!day.isValid())
        return {};
    return indexFor(m_journalIndex, m_store).activity(flow.id, day);
}

QList<QDateTime> AppModel::datesInSelectedWeek() const
{
    const core::Calendar &calendar = m_services.calendar;
    const QDate day = calendar.dayOf(m_selectedDate);
    if (!day.isValid())
        return {m_selectedDate};
    // The week starts on the locale's (LC_TIME) first weekday, not on a fixed one.
    const int intoWeek = (day.dayOfWeek() - int(calendar.firstDayOfWeek) + 7) % 7;
    const QDate first = day.addDays(-intoWeek);
    QList<QDateTime> dates;
    for (int offset = 0; offset < 7; ++offset) {
        const QDateTime start = calendar.startOfDay(first.addDays(offset));
        if (start.isValid())
            dates.append(start);
    }
    if (dates.isEmpty())
        return {m_selectedDate};
    return dates;
}

QString AppModel::firstUsefulLine(const QString &text)
{
    return firstUsefulLineOf(text);
}

} // namespace wrenfold::app
