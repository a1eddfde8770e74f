// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "platform/ics_reader.h"

#include <QCoreApplication>
#include <QHash>

#include <libical/ical.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace wrenfold::platform {

class EmbeddedTimeZone {
public:
    // Takes ownership of `definition`; check isValid() before use.
    explicit EmbeddedTimeZone(icalcomponent *definition) : m_zone(icaltimezone_new())
    {
        if (m_zone && !icaltimezone_set_component(m_zone, definition))
            icalcomponent_free(definition);
        else if (m_zone)
            m_isValid = true;
        else
            icalcomponent_free(definition);
    }
    ~EmbeddedTimeZone()
    {
        if (m_zone)
            icaltimezone_free(m_zone, 1);
    }
    EmbeddedTimeZone(const EmbeddedTimeZone &) = delete;
    EmbeddedTimeZone &operator=(const EmbeddedTimeZone &) = delete;

    bool isValid() const { return m_isValid; }

    qint64 toUtcSeconds(const QDate &date, const QTime &time) const
    {
        icaltimetype wall = icaltime_null_time();
        wall.year = date.year();
        wall.month = date.month();
        wall.day = date.day();
        wall.hour = time.hour();
        wall.minute = time.minute();
        wall.second = time.second();
        return static_cast<qint64>(icaltime_as_timet_with_zone(wall, m_zone));
    }

private:
    icaltimezone *m_zone = nullptr;
    bool m_isValid = false;
};

IcsZone IcsZone::utc()
{
    IcsZone zone;
    zone.m_kind = Kind::utc;
    return zone;
}

IcsZone IcsZone::fromTimeZone(const QTimeZone &timeZone)
{
    IcsZone zone;
    if (timeZone.isValid()) {
        zone.m_kind = Kind::zoned;
        zone.m_zone = timeZone;
    }
    return zone;
}

IcsZone IcsZone::fromEmbedded(std::shared_ptr<const EmbeddedTimeZone> embedded)
{
    IcsZone zone;
    if (embedded) {
        zone.m_kind = Kind::zoned;
        zone.m_embedded = std::move(embedded);
    }
    return zone;
}

namespace {

// Qt gives no instant for a wall-clock time skipped by a daylight-saving change; such a
// time is read with the offset in force before the change, so 02:30 on a night that jumps
// from 02:00 to 03:00 becomes 03:30.
QDateTime wallClockInstant(const QDate &date, const QTime &time, const QTimeZone &zone)
{
    QDateTime instant(date, time, zone);
    if (instant.isValid() || !date.isValid() || !time.isValid())
        return instant;
    const QDateTime asUtc(date, time, QTimeZone::utc());
    const int offsetBefore = zone.offsetFromUtc(asUtc.addDays(-1));
    return asUtc.addSecs(-offsetBefore).toTimeZone(zone);
}

} // namespace

QDateTime IcsZone::toInstant(const QDate &date, const QTime &time, const QTimeZone &userZone) const
{
    switch (m_kind) {
    case Kind::floating:
        return wallClockInstant(date, time, userZone);
    case Kind::utc:
        return QDateTime(date, time, QTimeZone::utc());
    case Kind::zoned:
        if (m_embedded)
            return QDateTime::fromSecsSinceEpoch(m_embedded->toUtcSeconds(date, time),
                                                 QTimeZone::utc());
        return wallClockInstant(date, time, m_zone);
    }
    return {};
}

QDateTime IcsTime::toInstant(const QTimeZone &userZone) const
{
    if (isDate)
        return date.startOfDay(userZone);
    return zone.toInstant(date, time, userZone);
}

QString IcsTime::key() const
{
    if (isDate)
        return date.toString(u"yyyyMMdd"_s);
    if (zone.isFloating())
        return QDateTime(date, time).toString(u"yyyyMMdd'T'HHmmss"_s);
    return toInstant(QTimeZone::utc()).toUTC().toString(u"yyyyMMdd'T'HHmmss'Z'"_s);
}

QColor parseCalendarColor(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    // Apple and CalDAV servers write "#RRGGBBAA"; QColor would read that as "#AARRGGBB".
    if (trimmed.size() == 9 && trimmed.startsWith(u'#')) {
        bool ok = false;
        const uint value = trimmed.mid(1).toUInt(&ok, 16);
        if (!ok)
            return {};
        return QColor::fromRgb((value >> 24) & 0xff, (value >> 16) & 0xff, (value >> 8) & 0xff,
                               value & 0xff);
    }
    const QColor color = QColor::fromString(trimmed);
    return color.isValid() ? color : QColor{};
}

namespace {

struct ComponentDeleter {
    void operator()(icalcomponent *component) const { icalcomponent_free(component); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, ComponentDeleter>;

QString textOf(const char *text)
{
    return text ? QString::fromUtf8(text) : QString{};
}

QTimeZone systemZoneFor(const QByteArray &tzid)
{
    if (tzid.isEmpty())
        return {};
    if (QTimeZone::isTimeZoneIdAvailable(tzid))
        return QTimeZone(tzid);
    // Evolution and others put a vendor path in front of the IANA name.
    for (qsizetype slash = tzid.indexOf('/'); slash >= 0; slash = tzid.indexOf('/', slash + 1)) {
        const QByteArray tail = tzid.mid(slash + 1);
        if (!tail.isEmpty() && QTimeZone::isTimeZoneIdAvailable(tail))
            return QTimeZone(tail);
    }
    const QByteArray windows = QTimeZone::windowsIdToDefaultIanaId(tzid);
    if (!windows.isEmpty() && QTimeZone::isTimeZoneIdAvailable(windows))
        return QTimeZone(windows);
    return {};
}

// Resolves TZIDs of one VCALENDAR, each once.
class ZoneResolver {
public:
    explicit ZoneResolver(icalcomponent *calendar) : m_calendar(calendar) {}

    IcsZone resolve(const QByteArray &tzid)
    {
        if (auto found = m_zones.constFind(tzid); found != m_zones.constEnd())
            return *found;
        IcsZone zone = IcsZone::fromTimeZone(systemZoneFor(tzid));
        if (zone.isFloating())
            zone = embeddedZone(tzid);
        m_zones.insert(tzid, zone);
        return zone;
    }

private:
    IcsZone embeddedZone(const QByteArray &tzid) const
    {
        if (!m_calendar)
            return IcsZone::floating();
        for (icalcomponent *definition =
                 icalcomponent_get_first_component(m_calendar, ICAL_VTIMEZONE_COMPONENT);
             definition;
             definition = icalcomponent_get_next_component(m_calendar, ICAL_VTIMEZONE_COMPONENT)) {
            icalproperty *idProperty =
                icalcomponent_get_first_property(definition, ICAL_TZID_PROPERTY);
            const char *id = idProperty ? icalproperty_get_tzid(idProperty) : nullptr;
            if (!id || tzid != id)
                continue;
            auto zone =
                std::make_shared<const EmbeddedTimeZone>(icalcomponent_new_clone(definition));
            if (zone->isValid())
                return IcsZone::fromEmbedded(std::move(zone));
        }
        return IcsZone::floating();
    }

    icalcomponent *m_calendar;
    QHash<QByteArray, IcsZone> m_zones;
};

std::optional<IcsTime> timeFrom(const icaltimetype &value, icalproperty *property,
                                ZoneResolver &zones)
{
    if (icaltime_is_null_time(value))
        return std::nullopt;
    IcsTime time;
    time.date = QDate(value.year, value.month, value.day);
    time.isDate = value.is_date != 0;
    if (!time.isDate) {
        // A leap second lands on the last second of its minute.
        time.time = QTime(value.hour, value.minute, qMin(value.second, 59));
    }
    if (!time.date.isValid() || !time.time.isValid())
        return std::nullopt;
    if (time.isDate) {
        time.zone = IcsZone::floating();
    } else if (icaltime_is_utc(value)) {
        time.zone = IcsZone::utc();
    } else if (icalparameter *tzid =
                   icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER)) {
        const char *name = icalparameter_get_tzid(tzid);
        time.zone = name ? zones.resolve(QByteArray(name)) : IcsZone::floating();
    }
    return time;
}

std::optional<IcsTime> readTime(icalproperty *property, ZoneResolver &zones)
{
    icalvalue *value = icalproperty_get_value(property);
    if (!value)
        return std::nullopt;
    switch (icalvalue_isa(value)) {
    case ICAL_DATE_VALUE:
    case ICAL_DATETIME_VALUE:
        return timeFrom(icalvalue_get_datetime(value), property, zones);
    case ICAL_DATETIMEPERIOD_VALUE: {
        // RDATE may carry a PERIOD; the series' own length still applies.
        const icaldatetimeperiodtype period = icalvalue_get_datetimeperiod(value);
        return timeFrom(icaltime_is_null_time(period.time) ? period.period.start : period.time,
                        property, zones);
    }
    case ICAL_PERIOD_VALUE:
        return timeFrom(icalvalue_get_period(value).start, property, zones);
    default:
        return std::nullopt;
    }
}

QList<IcsTime> readTimes(icalcomponent *event, icalproperty_kind kind, ZoneResolver &zones)
{
    QList<IcsTime> times;
    for (icalproperty *property = icalcomponent_get_first_property(event, kind); property;
         property = icalcomponent_get_next_property(event, kind)) {
        if (auto time = readTime(property, zones))
            times.append(*time);
    }
    return times;
}

// The parser drops values it cannot read and leaves a note ("... in RRULE property ...").
// An event whose time or rule was dropped would show at the wrong time, so it is left out;
// a damaged GEO or ATTENDEE does not matter here.
bool hasDamagedTime(icalcomponent *component)
{
    static const char *const timeProperties[] = {"DTSTART", "DTEND",  "DURATION",     "RRULE",
                                                 "RDATE",   "EXDATE", "RECURRENCE-ID"};
    for (icalproperty *note = icalcomponent_get_first_property(component, ICAL_XLICERROR_PROPERTY);
         note; note = icalcomponent_get_next_property(component, ICAL_XLICERROR_PROPERTY)) {
        const QByteArray text(icalproperty_get_xlicerror(note));
        for (const char *name : timeProperties) {
            if (text.contains(QByteArray(QByteArray(" in ") + name + " property")))
                return true;
        }
    }
    return false;
}

std::optional<IcsEvent> readEvent(icalcomponent *component, ZoneResolver &zones)
{
    if (hasDamagedTime(component))
        return std::nullopt;
    icalproperty *startProperty =
        icalcomponent_get_first_property(component, ICAL_DTSTART_PROPERTY);
    if (!startProperty)
        return std::nullopt;
    IcsEvent event;
    if (auto start = readTime(startProperty, zones))
        event.start = *start;
    else
        return std::nullopt;
    event.uid = textOf(icalcomponent_get_uid(component));
    event.title = textOf(icalcomponent_get_summary(component));
    event.isCancelled = icalcomponent_get_status(component) == ICAL_STATUS_CANCELLED;
    if (icalproperty *end = icalcomponent_get_first_property(component, ICAL_DTEND_PROPERTY))
        event.end = readTime(end, zones);
    if (icalproperty *duration =
            icalcomponent_get_first_property(component, ICAL_DURATION_PROPERTY)) {
        const icaldurationtype value = icalproperty_get_duration(duration);
        if (!value.is_neg) {
            event.duration = IcsDuration{static_cast<int>(value.weeks * 7 + value.days),
                                         static_cast<qint64>(value.hours) * 3600 +
                                             value.minutes * 60 + value.seconds};
        }
    }
    for (icalproperty *rule = icalcomponent_get_first_property(component, ICAL_RRULE_PROPERTY);
         rule; rule = icalcomponent_get_next_property(component, ICAL_RRULE_PROPERTY)) {
        if (const char *text = icalproperty_get_value_as_string(rule))
            event.rrules.append(QByteArray(text));
    }
    event.rdates = readTimes(component, ICAL_RDATE_PROPERTY, zones);
    event.exdates = readTimes(component, ICAL_EXDATE_PROPERTY, zones);
    if (icalproperty *recurrenceId =
            icalcomponent_get_first_property(component, ICAL_RECURRENCEID_PROPERTY)) {
        event.recurrenceId = readTime(recurrenceId, zones);
        if (!event.recurrenceId)
            return std::nullopt;
    }
    return event;
}

void readCalendarProperties(icalcomponent *calendar, IcsCalendar &result)
{
    for (icalproperty *property = icalcomponent_get_first_property(calendar, ICAL_ANY_PROPERTY);
         property; property = icalcomponent_get_next_property(calendar, ICAL_ANY_PROPERTY)) {
        const char *rawName = icalproperty_get_property_name(property);
        if (!rawName)
            continue;
        const QByteArray name = QByteArray(rawName).toUpper();
        const auto value = [property] {
            return textOf(icalproperty_get_value_as_string(property));
        };
        if (name == "COLOR" || (name == "X-APPLE-CALENDAR-COLOR" && !result.color.isValid())) {
            if (const QColor color = parseCalendarColor(value()); color.isValid())
                result.color = color;
        } else if ((name == "X-WR-CALNAME" || name == "NAME") && result.name.isEmpty()) {
            result.name = value().trimmed();
        }
    }
}

void readCalendar(icalcomponent *calendar, IcsCalendar &result)
{
    readCalendarProperties(calendar, result);
    ZoneResolver zones(calendar);
    for (icalcomponent *component =
             icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         component; component = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        if (auto event = readEvent(component, zones))
            result.events.append(std::move(*event));
    }
}

core::Error notCalendar()
{
    return core::Error{QCoreApplication::translate("CalendarStore", "Not an iCalendar file.")};
}

} // namespace

core::Result<IcsCalendar> readIcs(const QByteArray &bytes)
{
    icalerror_set_errors_are_fatal(0);
    if (bytes.trimmed().isEmpty())
        return notCalendar();
    ComponentPtr root(icalparser_parse_string(bytes.constData()));
    if (!root)
        return notCalendar();
    IcsCalendar result;
    switch (icalcomponent_isa(root.get())) {
    case ICAL_VCALENDAR_COMPONENT:
        readCalendar(root.get(), result);
        break;
    case ICAL_XROOT_COMPONENT:
        for (icalcomponent *calendar =
                 icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT);
             calendar;
             calendar = icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT))
            readCalendar(calendar, result);
        break;
    case ICAL_VEVENT_COMPONENT: {
        ZoneResolver zones(nullptr);
        if (auto event = readEvent(root.get(), zones))
            result.events.append(std::move(*event));
        break;
    }
    default:
        return notCalendar();
    }
    return result;
}

} // namespace wrenfold::platform
