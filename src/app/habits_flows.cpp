// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Habits and flows: due habits, completion marks, mentions, archiving, monthly reviews.
#include "app/app_model.h"

namespace wrenfold::app {

QList<core::FlowItem> AppModel::scheduledHabits() const
{
    return {};
}

bool AppModel::habitCompleted(const core::FlowItem &) const
{
    return false;
}

void AppModel::toggleHabit(const core::FlowItem &) {}

void AppModel::addFlowToToday(const core::FlowItem &) {}

void AppModel::archiveFlow(const core::FlowItem &) {}

core::FlowReview AppModel::review(const core::FlowItem &, const QDateTime &) const
{
    return {};
}

void AppModel::updateReview(const core::FlowReview &, const core::FlowItem &, const QDateTime &) {}

void AppModel::saveFlows() {}

QString AppModel::monthKey(const QDateTime &) const
{
    return {};
}

} // namespace wrenfold::app
