// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "platform/event_series.h"

#include <QHash>
#include <QSet>

#include <libical/ical.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <limits>
#include <numeric>

namespace wrenfold::platform {

namespace {

// Wall-clock dates in any zone lie within two days of the same instant's UTC date.
constexpr int zoneSlackDays = 2;
// Bounds the steps one rule walk may take: a rule with COUNT but no even spacing is walked
// once per file read from its first occurrence and keeps its first 100,000 occurrences;
// any other walk starts just before the queried window. A rule that needs more is cut off
// rather than freezing the day view.
constexpr int maxIterations = int(maxExpandedPerRule);
// Wall-clock times found from an instant are off by at most a clock change.
constexpr qint64 clockChangeSlack = 2 * 3600;
const QDate openEnd(9999, 12, 31);

int approximateSpanDays(const IcsEvent &event)
{
    if (event.end)
        return qMax<qint64>(0, event.start.date.daysTo(event.end->date)) + 1;
    if (event.duration)
        return event.duration->days + static_cast<int>(event.duration->seconds / 86400) + 1;
    return 1;
}

IcsDuration lengthOf(const IcsEvent &event, const QTimeZone &userZone)
{
    if (event.start.isDate) {
        int days = 1;
        if (event.end)
            days = static_cast<int>(event.start.date.daysTo(event.end->date));
        else if (event.duration)
            days = event.duration->days + static_cast<int>(event.duration->seconds / 86400);
        // An all-day event ending on (or before) its start day still covers that day.
        return IcsDuration{qMax(days, 1), 0};
    }
    if (event.end) {
        const qint64 seconds =
            event.start.toInstant(userZone).secsTo(event.end->toInstant(userZone));
        return IcsDuration{0, qMax<qint64>(seconds, 0)};
    }
    if (event.duration)
        return *event.duration;
    return {};
}

// IcsTime::toInstant, with the starts of days looked up in `days` (in `userZone`).
QDateTime instantOf(const IcsTime &time, const QTimeZone &userZone, DayStarts &days)
{
    return time.isDate ? days.of(time.date) : time.toInstant(userZone);
}

QDateTime endOf(const IcsTime &start, const QDateTime &startInstant, const IcsDuration &length,
                const QTimeZone &userZone, DayStarts &days)
{
    if (start.isDate)
        return days.of(start.date.addDays(length.days));
    QDateTime end = startInstant;
    if (length.days != 0)
        end = start.zone.toInstant(start.date.addDays(length.days), start.time, userZone);
    end = end.addSecs(length.seconds);
    return end < startInstant ? startInstant : end;
}

bool overlaps(const QDateTime &start, const QDateTime &end, const QDateTime &windowStart,
              const QDateTime &windowEnd)
{
    if (!start.isValid() || !(start < windowEnd))
        return false;
    return end > windowStart || (end == start && start >= windowStart);
}

icaltimetype wallTime(const QDate &date, const QTime &time, bool isDate)
{
    icaltimetype value = icaltime_null_time();
    value.year = date.year();
    value.month = date.month();
    value.day = date.day();
    if (isDate) {
        value.is_date = 1;
    } else {
        value.hour = time.hour();
        value.minute = time.minute();
        value.second = time.second();
    }
    return value;
}

QDate dateOf(const icaltimetype &value)
{
    return QDate(value.year, value.month, value.day);
}

// UNTIL is inclusive. It is compared here rather than by libical, which would read a UTC
// UNTIL against the floating wall-clock times this code iterates in.
bool isWithinUntil(const IcsTime &occurrence, const icaltimetype &until, const QTimeZone &userZone)
{
    if (icaltime_is_null_time(until))
        return true;
    const QDate untilDate = dateOf(until);
    if (until.is_date || occurrence.isDate)
        return occurrence.date <= untilDate;
    const QTime untilTime(until.hour, until.minute, qMin(until.second, 59));
    if (icaltime_is_utc(until))
        return occurrence.toInstant(userZone) <= QDateTime(untilDate, untilTime, QTimeZone::utc());
    return QDateTime(occurrence.date, occurrence.time, QTimeZone::utc()) <=
           QDateTime(untilDate, untilTime, QTimeZone::utc());
}

struct RuleIterator {
    icalrecur_iterator *iterator = nullptr;
    icaltimetype until = icaltime_null_time();
    int count = 0;
    icalrecurrencetype_frequency frequency = ICAL_NO_RECURRENCE;
    icalrecurrencetype rule;

    RuleIterator(const QByteArray &text, const IcsTime &start)
        : rule(icalrecurrencetype_from_string(text.constData()))
    {
        if (rule.rscale) {
            // Only the Gregorian calendar is supported; the rule is read as Gregorian.
            std::free(rule.rscale);
            rule.rscale = nullptr;
        }
        if (rule.freq == ICAL_NO_RECURRENCE)
            return;
        frequency = rule.freq;
        until = rule.until;
        count = rule.count;
        rule.until = icaltime_null_time();
        iterator = icalrecur_iterator_new(rule, wallTime(start.date, start.time, start.isDate));
    }
    ~RuleIterator()
    {
        if (iterator)
            icalrecur_iterator_free(iterator);
    }
    RuleIterator(const RuleIterator &) = delete;
    RuleIterator &operator=(const RuleIterator &) = delete;

    // Skips ahead to the wall-clock time `wall` (in a UTC QDateTime). Not with COUNT, which
    // counts from the start. Daily and longer rules skip inside libical, to midnight. For
    // shorter ones libical keeps the phase only from a start that is itself an occurrence:
    // the start moves forward by whole periods that are also whole days (so BYHOUR,
    // BYMINUTE and BYSECOND still match), then back a step at a time until BYDAY and the
    // like match too; a rule whose own start is no occurrence moves by whole periods.
    void skipTo(const QDateTime &wall, const IcsTime &start)
    {
        const QDateTime from(start.date, start.isDate ? QTime(0, 0) : start.time, QTimeZone::utc());
        if (!iterator || count != 0 || !wall.isValid() || wall <= from)
            return;
        if (frequency >= ICAL_DAILY_RECURRENCE) {
            if (wall.date() > start.date)
                icalrecur_iterator_set_start(iterator,
                                             wallTime(wall.date(), QTime(0, 0), start.isDate));
            return;
        }
        const qint64 unit = frequency == ICAL_HOURLY_RECURRENCE     ? 3600
                            : frequency == ICAL_MINUTELY_RECURRENCE ? 60
                                                                    : 1;
        const qint64 period = unit * qMax<qint64>(1, rule.interval);
        if (startsAt(from)) {
            const qint64 step = std::lcm(period, qint64(86400));
            for (qint64 k = from.secsTo(wall) / step, tries = 0; k > 0 && tries < 400;
                 --k, ++tries) {
                if (startsAt(from.addSecs(k * step))) {
                    restartAt(from.addSecs(k * step));
                    return;
                }
            }
            return;
        }
        restartAt(from.addSecs(from.secsTo(wall) / period * period));
    }

    // Whether the rule begun at `wall` has `wall` as its first occurrence.
    bool startsAt(const QDateTime &wall) const
    {
        icalrecur_iterator *probe =
            icalrecur_iterator_new(rule, wallTime(wall.date(), wall.time(), false));
        if (!probe)
            return false;
        const icaltimetype first = icalrecur_iterator_next(probe);
        icalrecur_iterator_free(probe);
        return !icaltime_is_null_time(first) && dateOf(first) == wall.date() &&
               QTime(first.hour, first.minute, qMin(first.second, 59)) == wall.time();
    }

    void restartAt(const QDateTime &wall)
    {
        icalrecur_iterator *moved =
            icalrecur_iterator_new(rule, wallTime(wall.date(), wall.time(), false));
        if (!moved)
            return;
        icalrecur_iterator_free(iterator);
        iterator = moved;
    }

    std::optional<IcsTime> next(const IcsTime &start)
    {
        // libical spins (minutes for a few hundred steps) on a rule shorter than a day from an
        // all-day start; such a rule shows its first day only, unless it is evenly spaced.
        if (!iterator || (start.isDate && frequency < ICAL_DAILY_RECURRENCE))
            return std::nullopt;
        const icaltimetype value = icalrecur_iterator_next(iterator);
        if (icaltime_is_null_time(value))
            return std::nullopt;
        IcsTime occurrence = start;
        occurrence.date = dateOf(value);
        if (!start.isDate)
            occurrence.time = QTime(value.hour, value.minute, qMin(value.second, 59));
        if (!occurrence.date.isValid() || !occurrence.time.isValid())
            return std::nullopt;
        return occurrence;
    }
};

// The length of one step of a rule whose occurrences are evenly spaced: a fixed frequency
// no longer than weekly, no BY parts (libical then repeats the start's weekday and time).
// Zero for every other rule.
qint64 fixedPeriodSeconds(const icalrecurrencetype &rule)
{
    const bool plain = rule.by_second[0] == ICAL_RECURRENCE_ARRAY_MAX &&
                       rule.by_minute[0] == ICAL_RECURRENCE_ARRAY_MAX &&
                       rule.by_hour[0] == ICAL_RECURRENCE_ARRAY_MAX &&
                       rule.by_day[0] == ICAL_RECURRENCE_ARRAY_MAX &&
                       rule.by_month_day[0] == ICAL_RECURRENCE_ARRAY_MAX &&
                       rule.by_year_day[0] == ICAL_RECURRENCE_ARRAY_MAX &&
                       rule.by_week_no[0] == ICAL_RECURRENCE_ARRAY_MAX &&
                       rule.by_month[0] == ICAL_RECURRENCE_ARRAY_MAX &&
                       rule.by_set_pos[0] == ICAL_RECURRENCE_ARRAY_MAX;
    if (!plain)
        return 0;
    const qint64 interval = qMax<qint64>(1, rule.interval);
    switch (rule.freq) {
    case ICAL_SECONDLY_RECURRENCE:
        return interval;
    case ICAL_MINUTELY_RECURRENCE:
        return interval * 60;
    case ICAL_HOURLY_RECURRENCE:
        return interval * 3600;
    case ICAL_DAILY_RECURRENCE:
        return interval * 86400;
    case ICAL_WEEKLY_RECURRENCE:
        return interval * 7 * 86400;
    default:
        return 0;
    }
}

// The k-th occurrence of an evenly spaced rule, counted in wall-clock time as libical does.
IcsTime fixedOccurrence(const IcsTime &start, qint64 period, qint64 k)
{
    const QDateTime wall =
        QDateTime(start.date, start.isDate ? QTime(0, 0) : start.time, QTimeZone::utc())
            .addSecs(k * period);
    IcsTime occurrence = start;
    occurrence.date = wall.date();
    if (!start.isDate)
        occurrence.time = wall.time();
    return occurrence;
}

// Calls `add` for the occurrences of an evenly spaced rule that can overlap [from, to),
// starting from the first of them found by bisection instead of walking from the series'
// start: a rule with a large COUNT or an endless one of seconds costs the same on any day.
void expandFixedRule(const RuleIterator &rule, qint64 period, const IcsTime &start,
                     const QDateTime &from, const QDateTime &to, qint64 reachSeconds,
                     const QTimeZone &userZone, DayStarts &days,
                     const std::function<bool(const IcsTime &)> &add)
{
    const qint64 limit = rule.count > 0 ? rule.count : std::numeric_limits<qint64>::max() / 2;
    const QDateTime earliest = from.addSecs(-reachSeconds);
    // Smallest k whose occurrence starts at or after `earliest`. Instants never go back as k
    // grows, also across a clock change (a skipped time moves forward, a repeated one takes
    // one offset), so no slack is walked before it: for a rule of seconds that was an hour
    // of steps on every query.
    qint64 low = 0;
    qint64 high = qMin(limit, qint64(400) * 366 * 86400 / period + 1);
    while (low < high) {
        const qint64 middle = low + (high - low) / 2;
        if (instantOf(fixedOccurrence(start, period, middle), userZone, days) < earliest)
            low = middle + 1;
        else
            high = middle;
    }
    const qint64 first = qMax<qint64>(0, low - 1);
    const QDateTime latest = to.addSecs(3600);
    for (qint64 k = first; k < limit; ++k) {
        const IcsTime occurrence = fixedOccurrence(start, period, k);
        if (!occurrence.date.isValid() || !isWithinUntil(occurrence, rule.until, userZone))
            return;
        const QDateTime instant = instantOf(occurrence, userZone, days);
        if (instant > latest)
            return;
        // Past the window only a clock change can bring an occurrence back into it.
        const bool inWindow = instant >= earliest && (instant < to || instant == from);
        if (inWindow && !add(occurrence))
            return;
    }
}

// Calls `add` for each occurrence from about `fromWall` on (from the start with COUNT)
// until it returns false.
void walkRule(const QByteArray &text, const IcsTime &start, const QDateTime &fromWall,
              const QTimeZone &userZone, const std::function<bool(const IcsTime &)> &add)
{
    RuleIterator rule(text, start);
    rule.skipTo(fromWall, start);
    const QDate fromDate = fromWall.date();
    const QTime fromTime = fromWall.time();
    for (int step = 0; step < maxIterations; ++step) {
        const std::optional<IcsTime> occurrence = rule.next(start);
        if (!occurrence || !isWithinUntil(*occurrence, rule.until, userZone))
            return;
        // Before `fromWall` is before the window, whatever the zone says.
        const bool isBefore = occurrence->date < fromDate ||
                              (occurrence->date == fromDate && occurrence->time < fromTime);
        if (!isBefore && !add(*occurrence))
            return;
    }
}

qint64 wallKey(const QDate &date, const QTime &time)
{
    return date.toJulianDay() * 86400 + time.msecsSinceStartOfDay() / 1000;
}

qint64 wallKey(const IcsTime &time)
{
    return wallKey(time.date, time.time);
}

IcsTime fromWallKey(const IcsTime &start, qint64 key)
{
    IcsTime occurrence = start;
    occurrence.date = QDate::fromJulianDay(key / 86400);
    if (!start.isDate)
        occurrence.time = QTime::fromMSecsSinceStartOfDay(int(key % 86400) * 1000);
    return occurrence;
}

// The wall clock of `instant` in `zone` (floating: the user's zone), as a UTC QDateTime;
// off by at most a clock change, for which callers leave clockChangeSlack.
QDateTime wallClockOf(const IcsZone &zone, const QDateTime &instant, const QTimeZone &userZone)
{
    const QDateTime guess = instant.toUTC();
    const QDateTime placed = zone.toInstant(guess.date(), guess.time(), userZone);
    return placed.isValid() ? guess.addSecs(placed.secsTo(guess)) : guess;
}

// Calls `add` for the kept starts of an expanded rule between two wall-clock times, found
// by bisection, until it returns false.
void walkExpanded(const SeriesRule &prepared, const IcsTime &start, const QDateTime &fromWall,
                  const QDateTime &toWall, const QTimeZone &userZone,
                  const std::function<bool(const IcsTime &)> &add)
{
    const QList<qint64> &starts = prepared.expandedStarts;
    const qint64 last = wallKey(toWall.date(), toWall.time());
    std::optional<RuleIterator> rule;
    if (prepared.hasUntil)
        rule.emplace(prepared.text, start);
    for (auto it = std::lower_bound(starts.cbegin(), starts.cend(),
                                    wallKey(fromWall.date(), fromWall.time()));
         it != starts.cend() && *it <= last; ++it) {
        const IcsTime occurrence = fromWallKey(start, *it);
        if ((rule && !isWithinUntil(occurrence, rule->until, userZone)) || !add(occurrence))
            return;
    }
}

// Excluded dates and overridden originals, looked up by key rather than compared one by
// one: a file may list thousands.
class OccurrenceSet {
public:
    void insert(const IcsTime &time, const QTimeZone &userZone)
    {
        if (time.isDate)
            m_dates.insert(time.date.toJulianDay());
        else if (time.zone.isFloating())
            m_walls.insert(wallKey(time));
        else
            m_instants.insert(time.toInstant(userZone).toMSecsSinceEpoch());
    }

    // A date matches any time on it, a floating value matches by wall clock, anything
    // else by instant (floating times read in the user's zone).
    bool contains(const IcsTime &candidate, const QDateTime &instant) const
    {
        if (m_dates.contains(candidate.date.toJulianDay()))
            return true;
        if (candidate.isDate)
            return false;
        if (m_walls.contains(wallKey(candidate)))
            return true;
        return m_instants.contains(instant.toMSecsSinceEpoch());
    }

private:
    QSet<qint64> m_dates;
    QSet<qint64> m_walls;
    QSet<qint64> m_instants;
};

// The last day a rule can reach, or openEnd when it never stops.
QDate lastRuleDay(const SeriesRule &prepared, const IcsTime &start)
{
    if (prepared.isExpanded)
        return prepared.expandedStarts.isEmpty()
                   ? start.date
                   : QDate::fromJulianDay(prepared.expandedStarts.last() / 86400);
    RuleIterator rule(prepared.text, start);
    if (!rule.iterator)
        return start.date;
    if (!icaltime_is_null_time(rule.until))
        return dateOf(rule.until);
    if (rule.count == 0)
        return openEnd;
    if (prepared.period)
        return fixedOccurrence(start, prepared.period, rule.count - 1).date;
    QDate last = start.date;
    for (int step = 0; step < maxIterations; ++step) {
        const std::optional<IcsTime> occurrence = rule.next(start);
        if (!occurrence)
            return last;
        last = occurrence->date;
    }
    return openEnd;
}

// Reads `text` once: its spacing, and for a rule with COUNT that is not evenly spaced its
// starts, while the file's `budget` of kept starts lasts.
SeriesRule prepareRule(const QByteArray &text, const IcsTime &start, qsizetype &budget)
{
    SeriesRule prepared;
    prepared.text = text;
    RuleIterator rule(text, start);
    if (!rule.iterator)
        return prepared;
    prepared.period = fixedPeriodSeconds(rule.rule);
    prepared.hasUntil = !icaltime_is_null_time(rule.until);
    const qsizetype needed = qMin<qsizetype>(rule.count, maxExpandedPerRule);
    if (rule.count <= 0 || prepared.period != 0 || needed > budget)
        return prepared;
    prepared.expandedStarts.reserve(needed);
    for (qsizetype i = 0; i < needed; ++i) {
        const std::optional<IcsTime> occurrence = rule.next(start);
        if (!occurrence)
            break;
        prepared.expandedStarts.append(wallKey(*occurrence));
    }
    std::sort(prepared.expandedStarts.begin(), prepared.expandedStarts.end());
    prepared.expandedStarts.squeeze();
    prepared.isExpanded = true;
    budget -= prepared.expandedStarts.size();
    return prepared;
}

void widen(EventSeries &series, const QDate &first, const QDate &last)
{
    if (!series.firstDay.isValid() || first < series.firstDay)
        series.firstDay = first;
    if (!series.lastDay.isValid() || last > series.lastDay)
        series.lastDay = last;
}

void widenFor(EventSeries &series, const IcsEvent &event, const QList<SeriesRule> &rules)
{
    const int span = approximateSpanDays(event);
    widen(series, event.start.date, event.start.date.addDays(span));
    for (const IcsTime &date : event.rdates)
        widen(series, date.date, date.date.addDays(span));
    for (const SeriesRule &rule : rules) {
        const QDate last = lastRuleDay(rule, event.start);
        widen(series, event.start.date, last == openEnd ? openEnd : last.addDays(span));
    }
}

} // namespace

QDateTime DayStarts::of(const QDate &date)
{
    const qint64 day = date.toJulianDay();
    if (const auto found = m_starts.constFind(day); found != m_starts.constEnd())
        return *found;
    const QDateTime start = date.startOfDay(m_zone);
    m_starts.insert(day, start);
    return start;
}

void EventSeries::appendOccurrences(const QDateTime &start, const QDateTime &end,
                                    const QTimeZone &userZone, QList<EventOccurrence> &out,
                                    qsizetype limit, DayStarts &dayStarts) const
{
    if (!start.isValid() || !end.isValid())
        return;
    const QDate low = qMin(start.date(), start.toUTC().date()).addDays(-zoneSlackDays);
    const QDate high = qMax(end.date(), end.toUTC().date()).addDays(zoneSlackDays);
    if (firstDay > high || lastDay < low)
        return;
    const bool seriesCancelled = master && master->isCancelled;

    if (master && !seriesCancelled && limit > 0) {
        const IcsDuration length = lengthOf(*master, userZone);
        const QDate earliest = low.addDays(-(length.days + length.seconds / 86400 + 1));
        // How long before the window an occurrence may start and still reach into it; a
        // length in days may last an hour longer across a clock change.
        const qint64 reach =
            qint64(length.days) * 86400 + length.seconds + (length.days > 0 ? 3600 : 0);
        const QDateTime reachFrom = start.addSecs(-reach);
        const QDateTime latest = end.addSecs(3600);
        OccurrenceSet excluded;
        for (const IcsTime &date : master->exdates)
            excluded.insert(date, userZone);
        for (const IcsEvent &moved : overrides)
            excluded.insert(*moved.recurrenceId, userZone);
        struct Candidate {
            IcsTime time;
            QDateTime start;
            QDateTime end;
            qint64 order;
        };
        QList<Candidate> candidates;
        QSet<qint64> seen;
        // Each walk goes forward in time, so its first `limit` occurrences in the window
        // are all it can add to the series' first `limit`.
        qsizetype walkLimit = limit;
        qsizetype taken = 0;
        // False once walking on cannot add anything.
        const auto add = [&](const IcsTime &candidate) {
            if (taken >= walkLimit || candidate.date > high)
                return false;
            if (candidate.date < earliest)
                return true;
            const QDateTime instant = instantOf(candidate, userZone, dayStarts);
            // Walks go forward in wall-clock time; past the window only a clock change
            // can bring an occurrence back, by the hour of slack.
            if (!instant.isValid() || instant > latest)
                return false;
            if (instant < reachFrom || excluded.contains(candidate, instant))
                return true;
            const QDateTime occurrenceEnd = endOf(candidate, instant, length, userZone, dayStarts);
            if (!overlaps(instant, occurrenceEnd, start, end))
                return true;
            const qint64 order = instant.toMSecsSinceEpoch();
            const qint64 key = candidate.isDate ? -candidate.date.toJulianDay() - 1 : order;
            if (!seen.contains(key)) {
                seen.insert(key);
                candidates.append({candidate, instant, occurrenceEnd, order});
                ++taken;
            }
            return true;
        };
        add(master->start);
        const QDateTime fromWall =
            wallClockOf(master->start.zone, reachFrom, userZone).addSecs(-clockChangeSlack);
        const QDateTime toWall =
            wallClockOf(master->start.zone, end, userZone).addSecs(clockChangeSlack);
        for (const SeriesRule &prepared : rules) {
            taken = 0;
            if (prepared.isExpanded) {
                walkExpanded(prepared, master->start, fromWall, toWall, userZone, add);
                continue;
            }
            const RuleIterator rule(prepared.text, master->start);
            if (rule.iterator && prepared.period)
                expandFixedRule(rule, prepared.period, master->start, start, end, reach, userZone,
                                dayStarts, add);
            else
                walkRule(prepared.text, master->start, fromWall, userZone, add);
        }
        // RDATEs come in any order; all of them are looked at.
        walkLimit = std::numeric_limits<qsizetype>::max();
        for (const IcsTime &date : master->rdates)
            add(date);
        if (candidates.size() > limit) {
            std::sort(candidates.begin(), candidates.end(),
                      [](const Candidate &a, const Candidate &b) { return a.order < b.order; });
            candidates.resize(limit);
        }
        for (const Candidate &candidate : std::as_const(candidates)) {
            out.append(EventOccurrence{uid + u'/' + candidate.time.key(), master->title,
                                       candidate.start.toTimeZone(userZone),
                                       candidate.end.toTimeZone(userZone), master->start.isDate});
        }
    }

    for (const IcsEvent &moved : overrides) {
        if (moved.isCancelled || seriesCancelled)
            continue;
        // An override that gives no length keeps the series' length.
        const bool hasOwnLength = moved.end || moved.duration || !master;
        const IcsDuration length =
            hasOwnLength ? lengthOf(moved, userZone) : lengthOf(*master, userZone);
        const QDateTime occurrenceStart = instantOf(moved.start, userZone, dayStarts);
        const QDateTime occurrenceEnd =
            endOf(moved.start, occurrenceStart, length, userZone, dayStarts);
        if (!overlaps(occurrenceStart, occurrenceEnd, start, end))
            continue;
        const QString title = moved.title.isEmpty() && master ? master->title : moved.title;
        out.append(EventOccurrence{uid + u'/' + moved.recurrenceId->key(), title,
                                   occurrenceStart.toTimeZone(userZone),
                                   occurrenceEnd.toTimeZone(userZone), moved.start.isDate});
    }
}

QList<EventSeries> groupIntoSeries(const QList<IcsEvent> &events, const QString &fallbackUid)
{
    QList<EventSeries> series;
    QHash<QString, qsizetype> indexByUid;
    qsizetype budget = maxExpandedPerFile;
    for (qsizetype position = 0; position < events.size(); ++position) {
        const IcsEvent &event = events.at(position);
        qsizetype index = -1;
        if (event.uid.isEmpty()) {
            series.append(EventSeries{});
            index = series.size() - 1;
            series[index].uid = fallbackUid + u'#' + QString::number(position);
        } else if (auto found = indexByUid.constFind(event.uid); found != indexByUid.constEnd()) {
            index = *found;
        } else {
            series.append(EventSeries{});
            index = series.size() - 1;
            series[index].uid = event.uid;
            indexByUid.insert(event.uid, index);
        }
        EventSeries &target = series[index];
        const bool isMaster = !event.recurrenceId;
        if (isMaster && target.master)
            continue;
        // Only a master's rules make occurrences; an override's only widen its days.
        qsizetype noBudget = 0;
        QList<SeriesRule> rules;
        for (const QByteArray &text : event.rrules)
            rules.append(prepareRule(text, event.start, isMaster ? budget : noBudget));
        if (isMaster) {
            target.master = event;
            target.rules = rules;
        } else {
            target.overrides.append(event);
        }
        widenFor(target, event, rules);
    }
    return series;
}

} // namespace wrenfold::platform
