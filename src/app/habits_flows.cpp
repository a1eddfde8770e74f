// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Habits and flows: due habits, completion marks, mentions, archiving, monthly reviews.
#include "app/app_model.h"
#include "core/file_io.h"
#include "core/flow_markdown.h"
#include "core/habit_markdown.h"

#include <algorithm>

namespace wrenfold::app {

namespace {

qsizetype indexOfFlow(const QList<core::FlowItem> &flows, const QUuid &id)
{
    for (qsizetype i = 0; i < flows.size(); ++i) {
        if (flows.at(i).id == id)
            return i;
    }
    return -1;
}

// Another program's changes to the flows file, merged flow by flow with the list's since
// both were `base`: whichever side changed a flow decides it, the list when both did, and
// a flow one side deleted stays when the other side changed it (no text is dropped).
// The file keeps instants to the second, the list to the millisecond: compare as stored.
bool sameFlow(const core::FlowItem &a, const core::FlowItem &b)
{
    return a == b || a.toJson() == b.toJson();
}

bool sameFlows(const QList<core::FlowItem> &a, const QList<core::FlowItem> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), sameFlow);
}

QList<core::FlowItem> mergedFlows(const QList<core::FlowItem> &base,
                                  const QList<core::FlowItem> &mine,
                                  const QList<core::FlowItem> &theirs)
{
    QList<core::FlowItem> result;
    for (const core::FlowItem &their : theirs) {
        const qsizetype inBase = indexOfFlow(base, their.id);
        const qsizetype inMine = indexOfFlow(mine, their.id);
        if (inMine >= 0) {
            const bool mineUnchanged = inBase >= 0 && sameFlow(mine.at(inMine), base.at(inBase));
            result.append(mineUnchanged ? their : mine.at(inMine));
        } else if (inBase < 0 || !sameFlow(their, base.at(inBase))) {
            result.append(their);
        }
    }
    for (const core::FlowItem &flow : mine) {
        if (indexOfFlow(theirs, flow.id) >= 0)
            continue;
        const qsizetype inBase = indexOfFlow(base, flow.id);
        if (inBase < 0 || !sameFlow(flow, base.at(inBase)))
            result.append(flow);
    }
    return result;
}

bool isOnToday(const core::Calendar &calendar, const QDateTime &date)
{
    return calendar.dayOf(date) == calendar.dayOf(QDateTime::currentDateTime());
}

} // namespace

QList<core::FlowItem> AppModel::scheduledHabits() const
{
    QList<core::FlowItem> due;
    for (const core::FlowItem &flow : m_flows) {
        if (core::HabitMarkdown::isScheduled(flow, m_selectedDate, m_services.calendar))
            due.append(flow);
    }
    return due;
}

bool AppModel::habitCompleted(const core::FlowItem &flow) const
{
    if (flow.habitSchedule == core::HabitSchedule::weekly) {
        const QList<QDateTime> week = datesInSelectedWeek();
        for (const QDateTime &date : week) {
            const core::Result<QString> habits = m_store.loadHabits(date);
            if (habits && core::HabitMarkdown::completed(flow.id, *habits).value_or(false))
                return true;
        }
        return false;
    }
    const core::Result<QString> habits = m_store.loadHabits(m_selectedDate);
    return habits && core::HabitMarkdown::completed(flow.id, *habits).value_or(false);
}

QList<bool> AppModel::habitsCompleted(const QList<core::FlowItem> &flows) const
{
    auto completions = [this](const QDateTime &date) {
        const core::Result<QString> habits = m_store.loadHabits(date);
        return habits ? core::HabitMarkdown::completions(*habits) : QHash<QUuid, bool>();
    };
    const QHash<QUuid, bool> day = completions(m_selectedDate);
    QList<QHash<QUuid, bool>> week;
    QList<bool> done;
    done.reserve(flows.size());
    for (const core::FlowItem &flow : flows) {
        if (flow.habitSchedule != core::HabitSchedule::weekly) {
            done.append(day.value(flow.id, false));
            continue;
        }
        if (week.isEmpty()) {
            for (const QDateTime &date : datesInSelectedWeek())
                week.append(completions(date));
        }
        done.append(std::any_of(week.cbegin(), week.cend(), [&flow](const auto &states) {
            return states.value(flow.id, false);
        }));
    }
    return done;
}

void AppModel::toggleHabit(const core::FlowItem &flow)
{
    const bool isDone = habitCompleted(flow);
    if (flow.habitSchedule == core::HabitSchedule::weekly && isDone) {
        // Unchecking a weekly habit clears every day of the week that has it checked.
        const QList<QDateTime> week = datesInSelectedWeek();
        for (const QDateTime &date : week) {
            const core::Result<QString> habits = m_store.loadHabits(date);
            if (!habits || !core::HabitMarkdown::completed(flow.id, *habits).value_or(false))
                continue;
            // Best effort: the selected day's mark is what the user sees.
            (void)m_store.saveHabits(core::HabitMarkdown::setting(false, flow, *habits), date);
        }
    } else {
        const core::Result<QString> habits = m_store.loadHabits(m_selectedDate);
        if (!habits) {
            // A habits file that exists but cannot be read is not replaced by one line:
            // that would drop every other mark in it.
            setErrorMessage(habits.error().message);
        } else if (auto error = m_store.saveHabits(
                       core::HabitMarkdown::setting(!isDone, flow, *habits), m_selectedDate)) {
            setErrorMessage(error->message);
        }
    }

    const qsizetype index = indexOfFlow(m_flows, flow.id);
    if (index >= 0) {
        QList<core::FlowItem> flows = m_flows;
        flows[index].updatedAt = QDateTime::currentDateTime();
        setFlows(flows);
        saveFlows();
    }
    announceChange();
}

void AppModel::addFlowToToday(const core::FlowItem &flow)
{
    if (!isOnToday(m_services.calendar, m_selectedDate))
        showDay(QDateTime::currentDateTime());
    noteChanged(core::FlowMarkdown::appending(flow, m_noteText));

    const qsizetype index = indexOfFlow(m_flows, flow.id);
    if (index >= 0) {
        QList<core::FlowItem> flows = m_flows;
        flows[index].updatedAt = QDateTime::currentDateTime();
        setFlows(flows);
        saveFlows();
    }
    setSelection(AppSection::today);
}

void AppModel::archiveFlow(const core::FlowItem &flow)
{
    const qsizetype index = indexOfFlow(m_flows, flow.id);
    if (index < 0)
        return;
    QList<core::FlowItem> flows = m_flows;
    flows[index].isActive = !flows[index].isActive;
    flows[index].updatedAt = QDateTime::currentDateTime();
    setFlows(flows);
    saveFlows();
}

void AppModel::deleteFlow(const core::FlowItem &flow)
{
    const qsizetype index = indexOfFlow(m_flows, flow.id);
    if (index < 0)
        return;
    QList<core::FlowItem> flows = m_flows;
    flows.removeAt(index);
    setFlows(flows);
    saveFlows();
}

core::FlowReview AppModel::review(const core::FlowItem &flow, const QDateTime &month) const
{
    const qsizetype index = indexOfFlow(m_flows, flow.id);
    if (index < 0)
        return {};
    return m_flows.at(index).monthlyReviews.value(monthKey(month));
}

void AppModel::updateReview(const core::FlowReview &review, const core::FlowItem &flow,
                            const QDateTime &month)
{
    const qsizetype index = indexOfFlow(m_flows, flow.id);
    if (index < 0)
        return;
    QList<core::FlowItem> flows = m_flows;
    flows[index].monthlyReviews.insert(monthKey(month), review);
    flows[index].updatedAt = QDateTime::currentDateTime();
    setFlows(flows);
    saveFlows();
}

void AppModel::saveFlows()
{
    // A flows file that cannot be read holds flows the list does not: never write over it.
    const core::Result<QList<core::FlowItem>> onDisk = m_store.loadFlows();
    if (!onDisk) {
        setErrorMessage(onDisk.error().message + u' ' +
                        tr("It was not written over; your change is kept until the file can be "
                           "read again."));
        return;
    }
    if (m_flowsUnread) {
        // The list began without the file's flows; now that they can be read, they lead.
        QList<core::FlowItem> merged = *onDisk;
        for (const core::FlowItem &flow : std::as_const(m_flows)) {
            if (indexOfFlow(merged, flow.id) < 0)
                merged.append(flow);
        }
        m_flowsUnread = false;
        setFlows(merged);
    } else if (*onDisk != m_flowsOnDisk) {
        setFlows(mergedFlows(m_flowsOnDisk, m_flows, *onDisk));
    }
    if (auto error = m_store.saveFlows(m_flows)) {
        // What the file holds now is what the next save merges with.
        m_flowsOnDisk = *onDisk;
        setErrorMessage(error->message);
        return;
    }
    // As a read gives it back, so that the next save sees no change from outside.
    const auto stored = core::decodeFlows(core::encodeFlows(m_flows));
    m_flowsOnDisk = stored ? *stored : m_flows;
    m_flowsStamp = core::fileStampOf(m_store.flowsURL());
}

void AppModel::reloadFlowsIfChangedExternally()
{
    const std::optional<core::FileStamp> stamp = core::fileStampOf(m_store.flowsURL());
    if (!stamp || stamp == m_flowsStamp || m_flowsUnread)
        return;
    const core::Result<QList<core::FlowItem>> onDisk = m_store.loadFlows();
    if (!onDisk)
        return; // half written or broken: looked at again on the next change
    m_flowsStamp = stamp;
    if (*onDisk == m_flowsOnDisk)
        return;
    setFlows(mergedFlows(m_flowsOnDisk, m_flows, *onDisk));
    m_flowsOnDisk = *onDisk;
    // The list may hold changes that are not in the file yet; they go there now.
    if (!sameFlows(m_flows, m_flowsOnDisk))
        saveFlows();
}

QString AppModel::monthKey(const QDateTime &date) const
{
    const QDate day = m_services.calendar.dayOf(date);
    const int year = day.isValid() ? day.year() : 0;
    const int month = day.isValid() ? day.month() : 0;
    return QString::asprintf("%04d-%02d", year, month);
}

} // namespace wrenfold::app
