// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Day queries over a large vdir (5,000 event files), a 10 MB single calendar file, and a
// 20 MB one full of rules: parse, first day query, later day queries, and how long the
// model's day query keeps the GUI thread.
#include "app/app_model.h"
#include "bench_main.h"
#include "platform/calendar_store.h"
#include "platform/event_series.h"
#include "platform/ics_reader.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <utime.h>

using namespace Qt::StringLiterals;
using wrenfold::platform::CalendarRoots;
using wrenfold::platform::CalendarStore;
namespace app = wrenfold::app;
namespace platform = wrenfold::platform;

namespace {

const QTimeZone berlin(QByteArrayLiteral("Europe/Berlin"));
const QDate queryDay(2026, 12, 7);

// One VEVENT: mostly one-off timed events over 2015-2027, some all-day, every tenth
// recurring weekly, some of those with an exception.
QByteArray eventText(int index, QRandomGenerator &random, const QString &rule = {})
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
            // Not arg() on "%10000": markers take two digits, so that would read as %10.
            day, QString::asprintf("%02d0000", hour), QString::asprintf("%02d3000", hour));
    }
    if (!rule.isEmpty()) {
        text += u"RRULE:"_s + rule + u"\r\n"_s;
    } else if (index % 10 == 0) {
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

// The rule of event `index` in the 20 MB calendar: besides the endless weekly rules, every
// tenth event counts its weeks or months with BY parts, and a few run every few minutes or
// every second (one of them, with BY parts, costs libical about 0.7 s to expand).
QString ruleOf(int index)
{
    if (index % 5000 == 9)
        return u"FREQ=SECONDLY"_s;
    if (index % 1000 == 1)
        return u"FREQ=MINUTELY;INTERVAL=15;COUNT=50000"_s;
    if (index == 7)
        return u"FREQ=MINUTELY;BYHOUR=9,10;COUNT=20000"_s;
    if (index % 10 == 3)
        return u"FREQ=WEEKLY;BYDAY=TU,TH;COUNT=104"_s;
    if (index % 10 == 5)
        return u"FREQ=MONTHLY;BYDAY=2WE;COUNT=60"_s;
    return {};
}

// Built once per process: generating 5,000 files is not what is being measured.
struct Fixture {
    QTemporaryDir dir;
    QString vdirRoot;
    QString evolutionRoot;
    std::unique_ptr<QSettings> settings;
    qint64 bigFileSize = 0;
    QString rulesRoot;
    QByteArray rulesFile;

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

        QByteArray ruled;
        for (int i = 0; ruled.size() < 20 * 1024 * 1024; ++i)
            ruled += eventText(i, random, ruleOf(i));
        rulesFile = calendarOf(ruled);
        rulesRoot = dir.filePath(u"rules"_s);
        write(rulesRoot + u"/system/calendar.ics"_s, rulesFile);
    }

    CalendarRoots vdir() const { return CalendarRoots{{vdirRoot}, {}}; }
    CalendarRoots bigFile() const { return CalendarRoots{{}, {evolutionRoot}}; }
    CalendarRoots rules() const { return CalendarRoots{{}, {rulesRoot}}; }
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

// Reading and grouping the 20 MB file, rules with COUNT expanded: once per file change.
void BM_Rules20MB_Parse(benchmark::State &state)
{
    qsizetype series = 0;
    for (auto _ : state) {
        const auto calendar = platform::readIcs(fixture().rulesFile);
        const auto grouped = platform::groupIntoSeries(calendar->events, u"rules"_s);
        series = grouped.size();
        benchmark::DoNotOptimize(grouped);
    }
    state.counters["MB"] = double(fixture().rulesFile.size()) / (1024.0 * 1024.0);
    state.counters["series"] = double(series);
}
BENCHMARK(BM_Rules20MB_Parse)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Rules20MB_FirstDayQuery(benchmark::State &state)
{
    for (auto _ : state) {
        CalendarStore store(*fixture().settings, fixture().rules());
        benchmark::DoNotOptimize(store.eventsForDay(queryDay, berlin));
    }
}
BENCHMARK(BM_Rules20MB_FirstDayQuery)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Rules20MB_LaterDayQuery(benchmark::State &state)
{
    CalendarStore store(*fixture().settings, fixture().rules());
    store.eventsForDay(queryDay, berlin);
    queryDays(state, store);
}
BENCHMARK(BM_Rules20MB_LaterDayQuery)->Unit(benchmark::kMillisecond);

// What the window feels: the model's day query after the 20 MB file changed (so it is
// parsed again). The timed part is the call on the GUI thread; "answer_ms" is how long the
// events took to arrive by signal; "answer_gui_cpu_ms" the most GUI-thread CPU time one
// answer cost on its way in.
void BM_Rules20MB_ModelDayQueryOnGuiThread(benchmark::State &state)
{
    QTemporaryDir home;
    QSettings settings(home.filePath(u"settings.ini"_s), QSettings::IniFormat);
    CalendarStore store(settings, fixture().rules());
    store.setAuthorization(platform::CalendarAuthorization::fullAccess);
    app::AppServices services;
    services.settings = &settings;
    services.calendarStore = &store;
    services.environment.insert(u"VESK_UI_TEST_ROOT"_s, home.filePath(u"notes"_s));
    services.environment.insert(u"DISABLE_AUTO_UPDATE"_s, u"true"_s);
    services.documentsFolder = home.filePath(u"documents"_s);
    services.calendar = wrenfold::core::Calendar{berlin, Qt::Monday};
    app::AppModel model(services);
    // The GUI thread's own CPU time while the answer is awaited and taken in: it is idle
    // otherwise, so this is the work the answer costs it, whatever else loads the machine.
    double answerGuiMs = 0;
    const auto threadCpuMs = [] {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
    };
    const auto waitForAnswer = [&] {
        QEventLoop loop;
        QObject::connect(&model, &app::AppModel::calendarLoadingChanged, &loop, &QEventLoop::quit);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        const double before = threadCpuMs();
        if (model.isCalendarLoading())
            loop.exec();
        answerGuiMs = std::max(answerGuiMs, threadCpuMs() - before);
    };
    waitForAnswer();
    answerGuiMs = 0;
    const QByteArray path = QFile::encodeName(fixture().rulesRoot + u"/system/calendar.ics"_s);
    qint64 stamp = 1700000000;
    int offset = 0;
    double answerMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const utimbuf times{stamp, stamp};
        ++stamp;
        utime(path.constData(), &times);
        model.setSelectedDate(QDateTime(queryDay.addDays(++offset % 60), QTime(12, 0), berlin));
        QElapsedTimer answer;
        answer.start();
        state.ResumeTiming();
        model.loadCalendarIfAuthorized();
        state.PauseTiming();
        waitForAnswer();
        answerMs += double(answer.nsecsElapsed()) / 1e6;
        state.ResumeTiming();
    }
    state.counters["answer_ms"] = answerMs / double(state.iterations());
    state.counters["answer_gui_cpu_ms"] = answerGuiMs;
    state.counters["items"] = double(model.calendarItems().size());
}
BENCHMARK(BM_Rules20MB_ModelDayQueryOnGuiThread)->Unit(benchmark::kMicrosecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    return wrenfold::bench::runBenchmarks<QCoreApplication>(argc, argv);
}
