// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Day queries over a large vdir (5,000 event files) and a 10 MB single calendar file.
#include "platform/calendar_store.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimeZone>
#include <benchmark/benchmark.h>

#include <memory>
#include <utime.h>

using namespace Qt::StringLiterals;
using wrenfold::platform::CalendarRoots;
using wrenfold::platform::CalendarStore;

namespace {

const QTimeZone berlin(QByteArrayLiteral("Europe/Berlin"));
const QDate queryDay(2026, 12, 7);

// One VEVENT: mostly one-off timed events over 2015-2027, some all-day, every tenth
// recurring weekly, some of those with an exception.
QByteArray eventText(int index, QRandomGenerator &random)
{
    const QDate date = QDate(2015, 1, 1).addDays(random.bounded(13 * 365));
    const QString day = date.toString(u"yyyyMMdd"_s);
    QString text = u"BEGIN:VEVENT\r\nUID:event-%1@bench\r\nDTSTAMP:20260101T000000Z\r\n"
                   "SUMMARY:Event %1 with a title of ordinary length\r\n"
                   "DESCRIPTION:Notes for the event\\, long enough to look real. "
                   "Lorem ipsum dolor sit amet\\, consectetur adipiscing elit.\r\n"
                   "LOCATION:Room %2\r\n"_s.arg(index)
                       .arg(index % 40);
    if (index % 7 == 0) {
        text += u"DTSTART;VALUE=DATE:%1\r\nDTEND;VALUE=DATE:%2\r\n"_s.arg(
            day, date.addDays(1).toString(u"yyyyMMdd"_s));
    } else {
        const int hour = 7 + random.bounded(12);
        text += u"DTSTART;TZID=Europe/Berlin:%1T%2\r\nDTEND;TZID=Europe/Berlin:%1T%3\r\n"_s.arg(
            day, u"%10000"_s.arg(hour, 2, 10, QChar(u'0')),
            u"%13000"_s.arg(hour, 2, 10, QChar(u'0')));
    }
    if (index % 10 == 0) {
        text += u"RRULE:FREQ=WEEKLY;BYDAY=MO,WE\r\n"_s;
        if (index % 20 == 0)
            text += u"EXDATE;TZID=Europe/Berlin:%1T090000\r\n"_s.arg(day);
    }
    text += u"END:VEVENT\r\n"_s;
    return text.toUtf8();
}

QByteArray calendarOf(const QByteArray &events)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\n" + events +
           "END:VCALENDAR\r\n";
}

bool write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Built once per process: generating 5,000 files is not what is being measured.
struct Fixture {
    QTemporaryDir dir;
    QString vdirRoot;
    QString evolutionRoot;
    std::unique_ptr<QSettings> settings;
    qint64 bigFileSize = 0;

    Fixture()
    {
        vdirRoot = dir.filePath(u"calendars"_s);
        evolutionRoot = dir.filePath(u"evolution"_s);
        settings =
            std::make_unique<QSettings>(dir.filePath(u"settings.ini"_s), QSettings::IniFormat);
        QRandomGenerator random(42);
        write(vdirRoot + u"/work/color"_s, "#3584e4\n");
        for (int i = 0; i < 5000; ++i)
            write(vdirRoot + u"/work/event-%1.ics"_s.arg(i), calendarOf(eventText(i, random)));
        QByteArray events;
        for (int i = 0; events.size() < 10 * 1024 * 1024; ++i)
            events += eventText(i, random);
        const QByteArray big = calendarOf(events);
        bigFileSize = big.size();
        write(evolutionRoot + u"/system/calendar.ics"_s, big);
    }

    CalendarRoots vdir() const { return CalendarRoots{{vdirRoot}, {}}; }
    CalendarRoots bigFile() const { return CalendarRoots{{}, {evolutionRoot}}; }
};

Fixture &fixture()
{
    static Fixture instance;
    return instance;
}

void queryDays(benchmark::State &state, CalendarStore &store)
{
    int offset = 0;
    qsizetype found = 0;
    for (auto _ : state) {
        const auto items = store.eventsForDay(queryDay.addDays(offset++ % 60), berlin);
        found += items.size();
        benchmark::DoNotOptimize(items);
    }
    state.counters["items/day"] = double(found) / double(state.iterations());
}

void BM_VdirDayQuery_Cached(benchmark::State &state)
{
    CalendarStore store(*fixture().settings, fixture().vdir());
    store.eventsForDay(queryDay, berlin);
    queryDays(state, store);
    state.counters["parses"] = store.parseCount();
}
BENCHMARK(BM_VdirDayQuery_Cached)->Unit(benchmark::kMillisecond);

void BM_VdirDayQuery_Cold(benchmark::State &state)
{
    for (auto _ : state) {
        CalendarStore store(*fixture().settings, fixture().vdir());
        benchmark::DoNotOptimize(store.eventsForDay(queryDay, berlin));
    }
}
BENCHMARK(BM_VdirDayQuery_Cold)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_VdirDayQuery_OneFileChanged(benchmark::State &state)
{
    CalendarStore store(*fixture().settings, fixture().vdir());
    store.eventsForDay(queryDay, berlin);
    const QByteArray path = QFile::encodeName(fixture().vdirRoot + u"/work/event-17.ics"_s);
    const int parsesBefore = store.parseCount();
    qint64 stamp = 1700000000;
    for (auto _ : state) {
        state.PauseTiming();
        const utimbuf times{stamp, stamp};
        ++stamp;
        utime(path.constData(), &times);
        state.ResumeTiming();
        benchmark::DoNotOptimize(store.eventsForDay(queryDay, berlin));
    }
    state.counters["parses/query"] =
        double(store.parseCount() - parsesBefore) / double(state.iterations());
}
BENCHMARK(BM_VdirDayQuery_OneFileChanged)->Unit(benchmark::kMillisecond);

void BM_BigFileDayQuery_Cached(benchmark::State &state)
{
    CalendarStore store(*fixture().settings, fixture().bigFile());
    store.eventsForDay(queryDay, berlin);
    queryDays(state, store);
    state.counters["MB"] = double(fixture().bigFileSize) / (1024.0 * 1024.0);
}
BENCHMARK(BM_BigFileDayQuery_Cached)->Unit(benchmark::kMillisecond);

void BM_BigFileDayQuery_Cold(benchmark::State &state)
{
    for (auto _ : state) {
        CalendarStore store(*fixture().settings, fixture().bigFile());
        benchmark::DoNotOptimize(store.eventsForDay(queryDay, berlin));
    }
}
BENCHMARK(BM_BigFileDayQuery_Cold)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
