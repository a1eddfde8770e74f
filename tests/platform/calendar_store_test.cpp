// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "calendar_fixture.h"
#include "platform/calendar_store.h"
#include "platform/ics_reader.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace wrenfold::platform;
using wrenfold::testing::calendarText;
using wrenfold::testing::eventLines;
using wrenfold::testing::writeFile;

namespace {

using CalendarStoreTest = wrenfold::testing::CalendarFixture;

QDateTime at(int y, int m, int d, int h, int min, const QTimeZone &zone)
{
    return QDateTime(QDate(y, m, d), QTime(h, min), zone);
}

// ---- Placing events on days

TEST_F(CalendarStoreTest, eventsForDay_placesZonedFloatingAllDayAndSkippedTimes)
{
    const QTimeZone utc = QTimeZone::utc();
    // Zones defined in the file: a name no system knows, and a known zone cut down to winter
    // time (the system's own definition wins: a summer date still gets CEST).
    const QStringList island{u"BEGIN:VTIMEZONE"_s,    u"TZID:Island Time"_s,
                             u"BEGIN:STANDARD"_s,     u"DTSTART:19700101T000000"_s,
                             u"TZOFFSETFROM:+0530"_s, u"TZOFFSETTO:+0530"_s,
                             u"END:STANDARD"_s,       u"END:VTIMEZONE"_s};
    const QStringList winterOnly{u"BEGIN:VTIMEZONE"_s,    u"TZID:Europe/Berlin"_s,
                                 u"BEGIN:STANDARD"_s,     u"DTSTART:19701025T030000"_s,
                                 u"TZOFFSETFROM:+0200"_s, u"TZOFFSETTO:+0100"_s,
                                 u"END:STANDARD"_s,       u"END:VTIMEZONE"_s};
    // One event at a time: its first day in `zone` holds only it, from `start` for `minutes`,
    // named by its UID and first occurrence.
    const auto expectOne = [&](const QStringList &props, const QStringList &header,
                               const QTimeZone &zone, const QDateTime &start, int minutes,
                               const QString &id) {
        SCOPED_TRACE(id.toStdString() + " in " + zone.id().toStdString());
        ASSERT_TRUE(QDir(vdirRoot()).removeRecursively());
        writeEvent(u"c"_s, u"e.ics"_s, QStringList{u"UID:e"_s, u"SUMMARY:E"_s} + props, header);
        const auto items = day(start.date(), zone);
        ASSERT_EQ(items.size(), 1);
        EXPECT_EQ(items[0].start, start);
        EXPECT_EQ(items[0].end, start.addSecs(60 * minutes));
        EXPECT_EQ(items[0].start.timeZone(), zone);
        EXPECT_EQ(items[0].isAllDay, id.size() == 8);
        EXPECT_EQ(items[0].id, u"e/"_s + id);
    };
    expectOne({u"DTSTART;TZID=Europe/Berlin:20261207T093000"_s,
               u"DTEND;TZID=Europe/Berlin:20261207T100000"_s},
              {}, m_newYork, at(2026, 12, 7, 3, 30, m_newYork), 30, u"20261207T083000Z"_s);
    // Floating times keep their wall clock in any zone.
    for (const QTimeZone &zone : {m_berlin, m_newYork})
        expectOne({u"DTSTART:20261207T070000"_s, u"DURATION:PT1H"_s}, {}, zone,
                  at(2026, 12, 7, 7, 0, zone), 60, u"20261207T070000"_s);
    // All day: the end is exclusive.
    expectOne({u"DTSTART;VALUE=DATE:20261207"_s, u"DTEND;VALUE=DATE:20261208"_s}, {}, m_berlin,
              at(2026, 12, 7, 0, 0, m_berlin), 24 * 60, u"20261207"_s);
    expectOne({u"DTSTART;TZID=/freeassociation.sourceforge.net/Europe/Berlin:20261207T090000"_s,
               u"DURATION:PT30M"_s},
              {}, utc, at(2026, 12, 7, 8, 0, utc), 30, u"20261207T080000Z"_s);
    expectOne({u"DTSTART;TZID=Island Time:20261207T100000"_s,
               u"DTEND;TZID=Island Time:20261207T110000"_s},
              island, utc, at(2026, 12, 7, 4, 30, utc), 60, u"20261207T043000Z"_s);
    expectOne({u"DTSTART;TZID=Europe/Berlin:20260707T090000"_s, u"DURATION:PT1H"_s}, winterOnly,
              utc, at(2026, 7, 7, 7, 0, utc), 60, u"20260707T070000Z"_s);
    // Berlin jumps from 02:00 to 03:00 on 29 March 2026: a time in the gap moves forward.
    expectOne({u"DTSTART;TZID=Europe/Berlin:20260329T023000"_s, u"DURATION:PT1H"_s}, {}, m_berlin,
              at(2026, 3, 29, 3, 30, m_berlin), 60, u"20260329T013000Z"_s);
    expectOne({u"DTSTART:20260329T023000"_s, u"RRULE:FREQ=DAILY;COUNT=2"_s}, {}, m_berlin,
              at(2026, 3, 29, 3, 30, m_berlin), 0, u"20260329T023000"_s);
    EXPECT_EQ(day(QDate(2026, 3, 30), m_berlin).size(), 1);
}

TEST_F(CalendarStoreTest, eventsForDay_titlesOnEachDayTheEventsTouch)
{
    struct Check {
        QDate day;
        QTimeZone zone;
        QStringList titles;
    };
    const QDate dec7(2026, 12, 7);
    const struct {
        const char *name;
        QList<QStringList> events;
        QList<Check> checks;
    } rows[] = {
        {"a UTC event late in the day is the next day east of UTC",
         {{u"UID:late"_s, u"SUMMARY:Late call"_s, u"DTSTART:20261207T233000Z"_s,
           u"DTEND:20261208T000000Z"_s}},
         {{dec7, m_berlin, {}},
          {dec7.addDays(1), m_berlin, {u"Late call"_s}},
          {dec7, m_newYork, {u"Late call"_s}}}},
        {"an all-day event without an end lasts one day",
         {{u"UID:holiday"_s, u"SUMMARY:Holiday"_s, u"DTSTART;VALUE=DATE:20261207"_s}},
         {{dec7, m_berlin, {u"Holiday"_s}},
          {dec7.addDays(1), m_berlin, {}},
          {dec7, m_newYork, {u"Holiday"_s}}}},
        {"multi-day events are on every day they touch, the end excluded",
         {{u"UID:trip"_s, u"SUMMARY:Trip"_s, u"DTSTART;TZID=Europe/Berlin:20261205T180000"_s,
           u"DTEND;TZID=Europe/Berlin:20261208T000000"_s},
          {u"UID:camp"_s, u"SUMMARY:Camp"_s, u"DTSTART;VALUE=DATE:20261206"_s,
           u"DTEND;VALUE=DATE:20261209"_s}},
         {{dec7.addDays(-2), m_berlin, {u"Trip"_s}},
          {dec7.addDays(-1), m_berlin, {u"Camp"_s, u"Trip"_s}},
          {dec7, m_berlin, {u"Camp"_s, u"Trip"_s}},
          {dec7.addDays(1), m_berlin, {u"Camp"_s}},
          {dec7.addDays(2), m_berlin, {}}}},
        {"a zero-length event at midnight belongs to that day",
         {{u"UID:r"_s, u"SUMMARY:Reminder"_s, u"DTSTART;TZID=Europe/Berlin:20261207T000000"_s}},
         {{dec7, m_berlin, {u"Reminder"_s}}, {dec7.addDays(-1), m_berlin, {}}}},
        {"a UTC UNTIL keeps the last zoned occurrence",
         {{u"UID:daily"_s, u"SUMMARY:Daily"_s, u"DTSTART;TZID=Europe/Berlin:20261201T090000"_s,
           u"RRULE:FREQ=DAILY;UNTIL=20261205T080000Z"_s}},
         {{QDate(2026, 12, 5), m_berlin, {u"Daily"_s}}, {QDate(2026, 12, 6), m_berlin, {}}}},
        {"an override without its series is shown",
         {{u"UID:orphan"_s, u"SUMMARY:Invited once"_s, u"RECURRENCE-ID:20261207T090000Z"_s,
           u"DTSTART:20261207T100000Z"_s}},
         {{dec7, m_berlin, {u"Invited once"_s}}}},
        {"a cancelled event is left out",
         {{u"UID:gone"_s, u"SUMMARY:Called off"_s, u"STATUS:CANCELLED"_s,
           u"DTSTART:20261207T100000Z"_s, u"DTEND:20261207T110000Z"_s}},
         {{dec7, m_berlin, {}}}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(QDir(vdirRoot()).removeRecursively());
        for (qsizetype i = 0; i < row.events.size(); ++i)
            writeEvent(u"c%1"_s.arg(i), u"e.ics"_s, row.events[i]);
        for (const Check &check : row.checks)
            EXPECT_EQ(titlesOn(check.day, check.zone), check.titles) << check.day.day();
    }
}

// ---- Recurrence

TEST_F(CalendarStoreTest, weeklySeries_exceptionsCountAndDaylightSaving_shapeIt)
{
    // Weekly on Mondays at 09:00 Berlin time, crossing the change to summer time on 29 March
    // 2026; one occurrence excluded, one moved, one cancelled, one added.
    const QStringList master = eventLines(
        {u"UID:weekly"_s, u"SUMMARY:Planning"_s, u"DTSTART;TZID=Europe/Berlin:20260309T090000"_s,
         u"DTEND;TZID=Europe/Berlin:20260309T100000"_s, u"RRULE:FREQ=WEEKLY;COUNT=10"_s,
         u"EXDATE;TZID=Europe/Berlin:20260406T090000"_s,
         u"RDATE;TZID=Europe/Berlin:20260409T150000"_s});
    const QStringList moved = eventLines({u"UID:weekly"_s, u"SUMMARY:Planning (moved)"_s,
                                          u"RECURRENCE-ID;TZID=Europe/Berlin:20260413T090000"_s,
                                          u"DTSTART;TZID=Europe/Berlin:20260415T140000"_s,
                                          u"DTEND;TZID=Europe/Berlin:20260415T150000"_s});
    // Written in UTC: the override must still match the Berlin occurrence.
    const QStringList cancelled = eventLines(
        {u"UID:weekly"_s, u"SUMMARY:Planning"_s, u"STATUS:CANCELLED"_s,
         u"RECURRENCE-ID:20260420T070000Z"_s, u"DTSTART;TZID=Europe/Berlin:20260420T090000"_s,
         u"DTEND;TZID=Europe/Berlin:20260420T100000"_s});
    ASSERT_TRUE(
        writeFile(vdirRoot() + u"/work/weekly.ics"_s, calendarText(master + moved + cancelled)));
    const struct {
        const char *name;
        QDate date;
        QStringList times; // "HH:mm-HH:mm title" in Berlin
    } rows[] = {
        {"winter time", QDate(2026, 3, 23), {u"09:00-10:00 Planning"_s}},
        {"summer time keeps the local time", QDate(2026, 3, 30), {u"09:00-10:00 Planning"_s}},
        {"excluded occurrence is left out", QDate(2026, 4, 6), {}},
        {"extra date is added", QDate(2026, 4, 9), {u"15:00-16:00 Planning"_s}},
        {"moved occurrence leaves its old day", QDate(2026, 4, 13), {}},
        {"moved occurrence appears on its new day",
         QDate(2026, 4, 15),
         {u"14:00-15:00 Planning (moved)"_s}},
        {"cancelled occurrence (override in UTC) is left out", QDate(2026, 4, 20), {}},
        {"tenth week is the last", QDate(2026, 5, 11), {u"09:00-10:00 Planning"_s}},
        {"count ends the series", QDate(2026, 5, 18), {}},
        {"nothing before the start", QDate(2026, 3, 2), {}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QStringList found;
        for (const CalendarItem &item : day(row.date, m_berlin)) {
            EXPECT_EQ(item.start.timeZone(), m_berlin);
            found << item.start.toString(u"HH:mm-"_s) + item.end.toString(u"HH:mm "_s) + item.title;
        }
        EXPECT_EQ(found, row.times);
    }
    const auto moved15 = day(QDate(2026, 4, 15), m_berlin);
    ASSERT_EQ(moved15.size(), 1);
    EXPECT_EQ(moved15[0].id, u"weekly/20260413T070000Z"_s);
}

TEST_F(CalendarStoreTest, recurrence_yearsOld_findsOccurrencesToday)
{
    // Every other Wednesday since 7 January 2015, all day, with a date EXDATE.
    writeEvent(u"home"_s, u"bins.ics"_s,
               {u"UID:bins"_s, u"SUMMARY:Bins"_s, u"DTSTART;VALUE=DATE:20150107"_s,
                u"RRULE:FREQ=WEEKLY;INTERVAL=2"_s, u"EXDATE;VALUE=DATE:20261230"_s});
    const QDate first(2015, 1, 7);
    for (QDate date(2026, 12, 1); date <= QDate(2027, 1, 31); date = date.addDays(1)) {
        const bool expected = first.daysTo(date) % 14 == 0 && date != QDate(2026, 12, 30);
        EXPECT_EQ(day(date, m_berlin).size(), expected ? 1 : 0) << date.toString().toStdString();
    }
}

// ---- Broken input

TEST_F(CalendarStoreTest, malformedFiles_skippedBesideGoodOnes)
{
    writeEvent(u"work"_s, u"good.ics"_s,
               {u"UID:good"_s, u"SUMMARY:Good"_s, u"DTSTART:20261207T100000Z"_s});
    ASSERT_TRUE(writeFile(vdirRoot() + u"/work/garbage.ics"_s, "this is not a calendar\n"));
    ASSERT_TRUE(writeFile(vdirRoot() + u"/work/empty.ics"_s, ""));
    ASSERT_TRUE(writeFile(vdirRoot() + u"/work/binary.ics"_s, QByteArray("\xff\xfe\x00\x01", 4)));
    ASSERT_TRUE(writeFile(vdirRoot() + u"/work/truncated.ics"_s,
                          "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:t\r\nDTSTART:2026"));
    writeEvent(u"work"_s, u"baddate.ics"_s,
               {u"UID:bad"_s, u"SUMMARY:Bad date"_s, u"DTSTART:20261399T250000Z"_s});
    writeEvent(u"work"_s, u"badrule.ics"_s,
               {u"UID:badrule"_s, u"SUMMARY:Bad rule"_s, u"DTSTART:20261207T100000Z"_s,
                u"RRULE:FREQ=SOMETIMES"_s});
    writeEvent(
        u"work"_s, u"badgeo.ics"_s,
        {u"UID:geo"_s, u"SUMMARY:Odd place"_s, u"DTSTART:20261207T120000Z"_s, u"GEO:somewhere"_s});
    // Two calendars in one file, as some exports write them, one with a bad event.
    const QByteArray text =
        calendarText(eventLines({u"UID:one"_s, u"SUMMARY:One"_s, u"DTSTART:20261207T100000Z"_s}) +
                     eventLines({u"UID:two"_s, u"SUMMARY:Two"_s, u"DTSTART:garbage"_s})) +
        calendarText(
            eventLines({u"UID:three"_s, u"SUMMARY:Three"_s, u"DTSTART:20261207T110000Z"_s}));
    ASSERT_TRUE(writeFile(evolutionRoot() + u"/system/calendar.ics"_s, text));
    // An escaped, folded title with a byte that is not UTF-8 is still read as text.
    ASSERT_TRUE(
        writeFile(vdirRoot() + u"/work/latin1.ics"_s,
                  calendarText(eventLines({u"UID:l"_s, u"DTSTART:20261207T130000Z"_s}))
                      .replace("UID:l", "UID:l\r\nSUMMARY:Caf\xe9\\, tea\\; and a\r\n  cake")));
    const QStringList titles = titlesOn(QDate(2026, 12, 7), m_berlin);
    ASSERT_EQ(titles.size(), 5);
    EXPECT_EQ(titles.first(4), (QStringList{u"Good"_s, u"One"_s, u"Three"_s, u"Odd place"_s}));
    EXPECT_TRUE(titles[4].startsWith(u"Caf"_s));
    EXPECT_TRUE(titles[4].endsWith(u", tea; and a cake"_s)) << titles[4].toStdString();
}

TEST_F(CalendarStoreTest, runawayRules_cutOffWithoutHidingOtherEvents)
{
    writeEvent(u"work"_s, u"secondly.ics"_s,
               {u"UID:s"_s, u"SUMMARY:Every second"_s, u"DTSTART:20150101T000000Z"_s,
                u"RRULE:FREQ=SECONDLY"_s});
    writeEvent(u"work"_s, u"count.ics"_s,
               {u"UID:c"_s, u"SUMMARY:Huge count"_s, u"DTSTART:20150101T000000Z"_s,
                u"RRULE:FREQ=MINUTELY;COUNT=2000000000"_s});
    writeEvent(u"work"_s, u"never.ics"_s,
               {u"UID:n"_s, u"SUMMARY:Never"_s, u"DTSTART:20150101T000000Z"_s,
                u"RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30"_s});
    writeEvent(u"work"_s, u"good.ics"_s,
               {u"UID:g"_s, u"SUMMARY:Good"_s, u"DTSTART:20261207T100000Z"_s});
    // The two runaway series share what the single event leaves of the day's cap.
    const QStringList titles = titlesOn(QDate(2026, 12, 7), QTimeZone::utc());
    EXPECT_EQ(titles.size(), maxEventsPerQuery);
    EXPECT_EQ(titles.count(u"Good"_s), 1);
    EXPECT_EQ(titles.count(u"Huge count"_s), 500);
    EXPECT_EQ(titles.count(u"Every second"_s), 499);
}

// ---- Colours and sources

TEST_F(CalendarStoreTest, colour_collectionFileThenCalendarPropertyThenAccent)
{
    const QStringList props{u"UID:x"_s, u"SUMMARY:X"_s, u"DTSTART:20261207T100000Z"_s};
    writeEvent(u"a"_s, u"x.ics"_s, props, {u"COLOR:turquoise"_s});
    ASSERT_TRUE(writeFile(vdirRoot() + u"/a/color"_s, "#ff0000\n"));
    writeEvent(u"b"_s, u"x.ics"_s, props, {u"X-APPLE-CALENDAR-COLOR:#00FF0080"_s});
    writeEvent(u"c"_s, u"x.ics"_s, props, {u"COLOR:turquoise"_s});
    writeEvent(u"d"_s, u"x.ics"_s, props);
    writeEvent(u"e"_s, u"x.ics"_s, props);
    ASSERT_TRUE(writeFile(vdirRoot() + u"/e/color"_s, "not a colour"));
    m_store->setAccentColor(QColor(1, 2, 3));

    QStringList colours;
    QSet<QString> ids;
    for (const CalendarItem &item : day(QDate(2026, 12, 7), QTimeZone::utc())) {
        colours.append(item.color.name(QColor::HexArgb));
        ids.insert(item.id);
    }
    EXPECT_EQ(colours, (QStringList{u"#ffff0000"_s, u"#8000ff00"_s, u"#ff40e0d0"_s, u"#ff010203"_s,
                                    u"#ff010203"_s}));
    EXPECT_EQ(ids.size(), 5) << "the same UID in five calendars gives five distinct ids";
}

TEST_F(CalendarStoreTest, sources_findsVdirEvolutionAndAddedOnes)
{
    ASSERT_TRUE(writeFile(vdirRoot() + u"/personal/displayname"_s, "My Calendar\n"));
    ASSERT_TRUE(writeFile(vdirRoot() + u"/account/team/a.ics"_s, calendarText({})));
    ASSERT_TRUE(writeFile(vdirRoot() + u"/.vdirsyncer/status"_s, "x"));
    ASSERT_TRUE(writeFile(evolutionRoot() + u"/system/calendar.ics"_s, calendarText({})));
    ASSERT_TRUE(writeFile(evolutionRoot() + u"/no-calendar/other.txt"_s, "x"));
    const QString added = m_home.filePath(u"downloads/holidays.ics"_s);
    ASSERT_TRUE(writeFile(added, calendarText({})));
    const QString missing = m_home.filePath(u"gone.ics"_s);
    // An added folder is read like a collection; no calendar file is ever written.
    const QString folder = m_home.filePath(u"exported"_s);
    const QByteArray exported = calendarText(
        eventLines({u"UID:exp"_s, u"SUMMARY:Exported"_s, u"DTSTART;VALUE=DATE:20261207"_s}));
    ASSERT_TRUE(writeFile(folder + u"/a.ics"_s, exported));
    ASSERT_FALSE(m_store->setAddedSources({added, missing, added, folder}));
    EXPECT_EQ(titlesOn(QDate(2026, 12, 7), m_berlin), QStringList{u"Exported"_s});
    EXPECT_EQ(wrenfold::testing::readFile(folder + u"/a.ics"_s), exported);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{u"a.ics"_s});

    QStringList described;
    for (const CalendarSource &source : m_store->sources())
        described.append(source.name + (source.isReadable ? u""_s : u" (unreadable)"_s) +
                         (source.isUserAdded ? u" +"_s : u""_s));
    EXPECT_EQ(described, (QStringList{u"team"_s, u"My Calendar"_s, u"Personal"_s, u"holidays +"_s,
                                      u"gone (unreadable) +"_s, u"exported +"_s}));
}

// ---- Cache

TEST_F(CalendarStoreTest, cache_reparsesOnlyChangedFiles)
{
    for (int i = 0; i < 3; ++i)
        writeEvent(u"work"_s, QString::number(i) + u".ics"_s,
                   {u"UID:"_s + QString::number(i), u"SUMMARY:Event "_s + QString::number(i),
                    u"DTSTART:20261207T10000"_s + QString::number(i) + u"Z"_s});
    EXPECT_EQ(day(QDate(2026, 12, 7), m_berlin).size(), 3);
    EXPECT_EQ(m_store->parseCount(), 3);
    EXPECT_EQ(day(QDate(2026, 12, 8), m_berlin).size(), 0);
    EXPECT_EQ(m_store->parseCount(), 3);

    writeEvent(u"work"_s, u"1.ics"_s,
               {u"UID:1"_s, u"SUMMARY:Renamed event"_s, u"DTSTART:20261207T100001Z"_s});
    ASSERT_TRUE(QFile::remove(vdirRoot() + u"/work/2.ics"_s));
    EXPECT_EQ(titlesOn(QDate(2026, 12, 7), m_berlin),
              (QStringList{u"Event 0"_s, u"Renamed event"_s}));
    EXPECT_EQ(m_store->parseCount(), 4);

    // Rewritten in place with the same size and its modification time put back:
    // the change time still tells.
    const QByteArray zero = QFile::encodeName(vdirRoot() + u"/work/0.ics"_s);
    struct stat before {};
    ASSERT_EQ(::stat(zero.constData(), &before), 0);
    QByteArray text = wrenfold::testing::readFile(QString::fromLocal8Bit(zero));
    ASSERT_TRUE(writeFile(QString::fromLocal8Bit(zero), text.replace("Event 0", "Event X")));
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, zero.constData(), times, 0), 0);
    EXPECT_EQ(titlesOn(QDate(2026, 12, 7), m_berlin),
              (QStringList{u"Event X"_s, u"Renamed event"_s}));
}

// Occurrence counts worked out by hand: far from the first occurrence, a large
// COUNT still ends exactly where it should, and an endless rule keeps its phase.
TEST_F(CalendarStoreTest, longRules_countedOccurrencesOnAnyDay)
{
    struct Case {
        const char *rule;
        const char *start;
        QDate day;
        qsizetype expected;
    };
    const QList<Case> cases{
        {"FREQ=MINUTELY;INTERVAL=2;COUNT=100000", "20260101T000000Z", QDate(2026, 5, 19),
         100000 - 138 * 720},
        {"FREQ=MINUTELY;INTERVAL=2;COUNT=100000", "20260101T000000Z", QDate(2026, 5, 20), 0},
        {"FREQ=SECONDLY;INTERVAL=90", "20150101T000010Z", QDate(2030, 6, 1), 960},
        // BY parts with COUNT: the first 100,000 occurrences show, later ones do not; a day
        // far into the rule is not crowded out by the days before.
        {"FREQ=MINUTELY;BYSECOND=0;COUNT=150000", "20260101T000000Z", QDate(2026, 3, 11),
         100000 - 69 * 1440},
        {"FREQ=MINUTELY;BYSECOND=0;COUNT=150000", "20260101T000000Z", QDate(2026, 3, 12), 0},
        {"FREQ=MONTHLY;BYDAY=-1FR;COUNT=24", "20260130T100000Z", QDate(2027, 12, 31), 1},
        {"FREQ=MONTHLY;BYDAY=-1FR;COUNT=24", "20260130T100000Z", QDate(2028, 1, 28), 0},
        // An endless dense rule with BY parts fills the queried day up to the cap.
        {"FREQ=SECONDLY;BYHOUR=6,7,8", "20150101T060000Z", QDate(2026, 12, 7), maxEventsPerQuery},
        // Far from its start, every seventh minute of one hour keeps its phase.
        {"FREQ=MINUTELY;INTERVAL=7;BYHOUR=6", "20150101T060000Z", QDate(2026, 12, 7), 9},
        {"FREQ=HOURLY;INTERVAL=5;BYDAY=MO", "20150105T030000Z", QDate(2026, 12, 7), 5},
        {"FREQ=HOURLY;INTERVAL=7", "20250101T010000Z", QDate(2026, 12, 7), 4},
    };
    for (qsizetype i = 0; i < cases.size(); ++i) {
        const Case &c = cases.at(i);
        SCOPED_TRACE(std::string(c.rule) + " on " + c.day.toString(Qt::ISODate).toStdString());
        const QString title = u"Rule "_s + QString::number(i);
        writeEvent(u"rules"_s, title + u".ics"_s,
                   {u"UID:"_s + title, u"SUMMARY:"_s + title,
                    u"DTSTART:"_s + QString::fromLatin1(c.start),
                    u"RRULE:"_s + QString::fromLatin1(c.rule)});
        EXPECT_EQ(titlesOn(c.day, QTimeZone::utc()).count(title), c.expected);
        // Each row reads only its own rule.
        ASSERT_TRUE(QFile::remove(vdirRoot() + u"/rules/"_s + title + u".ics"_s));
    }
}

TEST(IcsReaderTest, readIcs_notCalendarText_fails)
{
    for (const QByteArray &text : {QByteArray(), QByteArray("   \n"), QByteArray("hello"),
                                   QByteArray("BEGIN:VTODO\r\nEND:VTODO\r\n")})
        EXPECT_FALSE(readIcs(text).ok()) << text.toStdString();
}

} // namespace
