// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/result.h"

#include <QByteArray>
#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTime>
#include <QTimeZone>

#include <memory>
#include <optional>

namespace wrenfold::platform {

/// A time zone definition carried inside a calendar file (VTIMEZONE), used only when the
/// zone's name is not one the system's zone database knows.
class EmbeddedTimeZone;

/// Where a wall-clock time in a calendar file is anchored.
class IcsZone {
public:
    enum class Kind { floating, utc, zoned };

    /// No zone: the time is read in the user's zone.
    static IcsZone floating() { return IcsZone{}; }
    static IcsZone utc();
    /// An invalid `zone` gives a floating zone.
    static IcsZone fromTimeZone(const QTimeZone &zone);
    /// A null `zone` gives a floating zone.
    static IcsZone fromEmbedded(std::shared_ptr<const EmbeddedTimeZone> zone);

    Kind kind() const { return m_kind; }
    bool isFloating() const { return m_kind == Kind::floating; }

    /// The instant of the wall-clock `date` and `time` in this zone; floating times are read
    /// in `userZone`. A time skipped by a daylight-saving change moves forward.
    QDateTime toInstant(const QDate &date, const QTime &time, const QTimeZone &userZone) const;

private:
    Kind m_kind = Kind::floating;
    QTimeZone m_zone;
    std::shared_ptr<const EmbeddedTimeZone> m_embedded;
};

/// A DATE or DATE-TIME value as written in the file: wall-clock fields plus their zone.
struct IcsTime {
    QDate date;
    QTime time{0, 0};
    bool isDate = false;
    IcsZone zone;

    /// A date starts at the user's midnight (or the first instant after a skipped one).
    QDateTime toInstant(const QTimeZone &userZone) const;

    /// The value in iCalendar form: "20261206" for a date, "20261206T090000" for a floating
    /// time, and the UTC instant "20261206T080000Z" for every zoned time, so one occurrence
    /// gets the same text whichever zone it was written in.
    QString key() const;
};

/// An event's length as written: nominal days (kept across daylight-saving changes) plus
/// exact seconds.
struct IcsDuration {
    int days = 0;
    qint64 seconds = 0;
};

/// One VEVENT: a plain event, a recurring master, or an override of one occurrence
/// (`recurrenceId` set).
struct IcsEvent {
    QString uid;
    QString title;
    IcsTime start;
    std::optional<IcsTime> end;
    std::optional<IcsDuration> duration;
    QList<QByteArray> rrules;
    QList<IcsTime> rdates;
    QList<IcsTime> exdates;
    std::optional<IcsTime> recurrenceId;
    bool isCancelled = false;
};

/// What one calendar file holds.
struct IcsCalendar {
    /// X-WR-CALNAME or NAME; empty when absent.
    QString name;
    /// COLOR or X-APPLE-CALENDAR-COLOR; invalid when absent or unreadable.
    QColor color;
    QList<IcsEvent> events;
};

/// Reads iCalendar text (one or more VCALENDARs, or a bare VEVENT). Text that is not
/// iCalendar at all fails; an event without a readable DTSTART is left out alone. TZIDs are
/// looked up in the system's zone database first (also behind vendor prefixes such as
/// "/freeassociation.sourceforge.net/Europe/Berlin" and Windows names), then in the file's
/// own VTIMEZONE; an unknown TZID reads as floating.
core::Result<IcsCalendar> readIcs(const QByteArray &bytes);

/// "#3584e4", "#3584e4ff" (alpha last, as Apple writes it), "#fff" and CSS names such as
/// "turquoise"; anything else gives an invalid colour.
QColor parseCalendarColor(const QString &text);

} // namespace wrenfold::platform
