// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "platform/ics_reader.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QTimeZone>

#include <optional>

namespace wrenfold::platform {

/// One occurrence of an event, placed in the user's zone.
struct EventOccurrence {
    /// UID, "/", and the occurrence's original start in iCalendar form (see IcsTime::key),
    /// so a moved occurrence keeps its id.
    QString id;
    QString title;
    QDateTime start;
    /// Exclusive; never before `start`.
    QDateTime end;
    bool isAllDay = false;
};

/// The first instants of days in one zone, each worked out once per query: that is slow
/// with some zone back ends, and a query's all-day events share a handful of days.
class DayStarts {
public:
    explicit DayStarts(const QTimeZone &zone) : m_zone(zone) {}
    QDateTime of(const QDate &date);

private:
    QTimeZone m_zone;
    QHash<qint64, QDateTime> m_starts;
};

/// One RRULE of a master, prepared once when its file is read.
struct SeriesRule {
    QByteArray text;
    /// The step of an evenly spaced rule (a fixed frequency up to weekly, no BY parts) in
    /// seconds, so any occurrence can be computed directly; zero for every other rule.
    qint64 period = 0;
    /// A rule with COUNT that is not evenly spaced counts from its first occurrence, so it is
    /// walked once here rather than on every query: the wall-clock starts (Julian day * 86400
    /// + seconds into the day), ascending. Empty for the other rules, which are walked per
    /// query from just before the queried window.
    QList<qint64> expandedStarts;
    bool isExpanded = false;
    bool hasUntil = false;
};

/// The events of one file that share a UID: the master (absent when a file holds only
/// overrides) and its overridden occurrences.
struct EventSeries {
    QString uid;
    std::optional<IcsEvent> master;
    QList<IcsEvent> overrides;
    /// The master's rules, filled by groupIntoSeries.
    QList<SeriesRule> rules;
    /// Wall-clock dates outside which no occurrence starts or ends; a cheap first filter
    /// before zones are looked at. An open-ended rule gives QDate's maximum as lastDay.
    QDate firstDay;
    QDate lastDay;

    /// Appends the occurrences that overlap [start, end) to `out`: of the master's, the
    /// `limit` that start first, and every override. An occurrence ending exactly at
    /// `start` is not in the interval; a zero-length one at `start` is. Cancelled
    /// occurrences, excluded dates and overridden originals are left out; an override is
    /// placed where it was moved to.
    /// `dayStarts` is in `userZone`.
    void appendOccurrences(const QDateTime &start, const QDateTime &end, const QTimeZone &userZone,
                           QList<EventOccurrence> &out, qsizetype limit,
                           DayStarts &dayStarts) const;
};

/// Groups a file's events by UID, keeping the file's order of first appearance. Events
/// without a UID each become their own series, named `fallbackUid` plus "#" and their
/// position. Only the first master of a UID counts; later duplicates are dropped.
///
/// Rules with COUNT that are not evenly spaced are expanded here, at most
/// `maxExpandedPerRule` occurrences each: such a rule shows its first 100,000 occurrences
/// and nothing after them, as the walk on every query did before. Once a file has
/// `maxExpandedPerFile` occurrences kept (16 MB), its further rules are walked again on
/// every query, from their start, with the same cap: slower, the same occurrences.
inline constexpr qsizetype maxExpandedPerRule = 100000;
inline constexpr qsizetype maxExpandedPerFile = 2000000;
QList<EventSeries> groupIntoSeries(const QList<IcsEvent> &events, const QString &fallbackUid);

} // namespace wrenfold::platform
