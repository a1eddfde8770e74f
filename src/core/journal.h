// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/result.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QUuid>

#include <optional>

namespace wrenfold::core {

/// How often a tracked flow is due. Listed in picker order.
enum class HabitSchedule { daily, selectedWeekdays, weekly, noSchedule };

/// "daily", "selectedWeekdays", "weekly", "noSchedule".
QString rawValue(HabitSchedule schedule);
/// Exact, case-sensitive match of the raw values; anything else gives nullopt.
std::optional<HabitSchedule> habitScheduleFromRawValue(const QString &raw);
/// All four cases in picker order.
const QList<HabitSchedule> &allHabitSchedules();

/// The eleven perspectives, in catalogue order.
enum class PerspectiveID {
    kaizen,
    ikigai,
    hansei,
    kanso,
    shoshin,
    ma,
    osoji,
    shinrinYoku,
    wabiSabi,
    shokunin,
    kinhin
};

/// The marker and preference text: "kaizen" ... "shinrin-yoku", "wabi-sabi" ...
QString rawValue(PerspectiveID id);
/// "shinrin-yoku" gives shinrinYoku; "Shinrin-Yoku" and "shinrinYoku" give nullopt.
std::optional<PerspectiveID> perspectiveIDFromRawValue(const QString &raw);
/// All eleven in catalogue order.
const QList<PerspectiveID> &allPerspectiveIDs();

/// One day's journal entry. Only the calendar day of `date` matters to the store; the
/// time of day is carried along unchanged.
struct DailyNote {
    QDateTime date;
    QString body;
    friend bool operator==(const DailyNote &, const DailyNote &) = default;
};

/// One perspective as answered on one day; texts are as they stood when written.
struct DailyPerspectiveEntry {
    PerspectiveID perspectiveID = PerspectiveID::kaizen;
    QString name;
    QString title;
    QString prompt;
    QString response;

    PerspectiveID id() const { return perspectiveID; }
    friend bool operator==(const DailyPerspectiveEntry &, const DailyPerspectiveEntry &) = default;
};

/// A flow's review of one month: five free texts, any of which may be empty.
struct FlowReview {
    QString whyThisMatters;
    QString noticing;
    QString mayAffect;
    QString lookingBack;
    QString carryForward;

    friend bool operator==(const FlowReview &, const FlowReview &) = default;

    /// All five members, always.
    QJsonObject toJson() const;
    /// All five members are required strings; anything else is an error.
    static Result<FlowReview> fromJson(const QJsonValue &value);
};

/// One flow: an ongoing thread with a next step, optionally tracked as a habit.
struct FlowItem {
    QUuid id;
    QString title;
    QString detail;
    QString nextStep;
    bool isActive = true;
    QDateTime createdAt;
    QDateTime updatedAt;
    bool tracksHabit = false;
    HabitSchedule habitSchedule = HabitSchedule::daily;
    QSet<int> habitWeekdays; ///< 1 Sunday ... 7 Saturday; used by selectedWeekdays only
    QMap<QString, FlowReview> monthlyReviews; ///< keyed "2026-03"

    friend bool operator==(const FlowItem &, const FlowItem &) = default;

    /// All eleven members, instants as whole-second UTC "2026-03-05T14:07:09Z", the id in
    /// upper case.
    QJsonObject toJson() const;
    /// Lenient about absent or null members (defaults as the flows file documents them);
    /// a wrong type, a missing "id"/"title", an unknown schedule or an instant with
    /// fractional seconds is an error. `now` stands in for a missing "createdAt".
    static Result<FlowItem> fromJson(const QJsonValue &value, const QDateTime &now);
};

/// The flows file's bytes: a pretty-printed array, members sorted by name.
QByteArray encodeFlows(const QList<FlowItem> &flows);
/// The whole array or an error naming the cause (JSON error with its offset, or the
/// member at fault); never a partial list.
Result<QList<FlowItem>> decodeFlows(const QByteArray &bytes,
                                    const QDateTime &now = QDateTime::currentDateTimeUtc());

} // namespace wrenfold::core
