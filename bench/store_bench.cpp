// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// The journal listings against `find Journal -name '*.md'` over the same generated notes
// folder: 10 years (3,650 day files) and 100 years (36,500).
#include "core/markdown_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include <sys/resource.h>

using namespace wrenfold::core;
using namespace Qt::StringLiterals;

namespace {

// One generated folder per size, kept for the whole run: day files in year and month
// folders, a preserved copy every 30 days, and the habits and perspectives of every
// tenth day beside them.
QString notesFolder(int days)
{
    static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
    auto &folder = folders[days];
    if (!folder) {
        folder = std::make_unique<QTemporaryDir>();
        const MarkdownStore store(folder->path(), Calendar{QTimeZone::utc(), Qt::Monday});
        const QDate last(2026, 3, 5);
        for (int i = 0; i < days; ++i) {
            const QDateTime day = last.addDays(-i).startOfDay(QTimeZone::utc());
            const QString note = store.noteURL(day);
            QDir().mkpath(QFileInfo(note).absolutePath());
            QFile file(note);
            if (!file.open(QIODevice::WriteOnly) || file.write("# A day\n\nSome text.\n") < 0)
                qFatal("cannot write %s", qPrintable(note));
            if (i % 30 == 0) {
                QFile copy(note.chopped(3) + u".local-2026-03-05T14-07-09.md"_s);
                if (!copy.open(QIODevice::WriteOnly))
                    qFatal("cannot write a preserved copy");
            }
            if (i % 10 == 0) {
                const QString habits = store.habitsURL(day);
                QDir().mkpath(QFileInfo(habits).absolutePath());
                QFile habitsFile(habits);
                if (!habitsFile.open(QIODevice::WriteOnly))
                    qFatal("cannot write habits");
            }
        }
    }
    return folder->path();
}

MarkdownStore storeFor(const benchmark::State &state)
{
    return MarkdownStore(notesFolder(int(state.range(0))), Calendar{QTimeZone::utc(), Qt::Monday});
}

void BM_datesWithNotes(benchmark::State &state)
{
    const MarkdownStore store = storeFor(state);
    qsizetype found = 0;
    for (auto _ : state) {
        const QList<QDate> dates = store.datesWithNotes();
        found = dates.size();
        benchmark::DoNotOptimize(dates.data());
    }
    if (found != state.range(0))
        state.SkipWithError("wrong number of dates");
}

void BM_preservedCopyURLs(benchmark::State &state)
{
    const MarkdownStore store = storeFor(state);
    for (auto _ : state) {
        const QList<QString> copies = store.preservedCopyURLs();
        benchmark::DoNotOptimize(copies.data());
    }
}

// The yardstick: the system's find, as a process, reading all of its output.
void BM_findMarkdownFiles(benchmark::State &state)
{
    const QString journal = notesFolder(int(state.range(0))) + u"/Journal"_s;
    rusage before{};
    ::getrusage(RUSAGE_CHILDREN, &before);
    for (auto _ : state) {
        QProcess find;
        find.start(u"find"_s, {journal, u"-name"_s, u"*.md"_s});
        if (!find.waitForFinished(60000)) {
            state.SkipWithError("find did not finish");
            break;
        }
        const QByteArray output = find.readAllStandardOutput();
        benchmark::DoNotOptimize(output.data());
    }
    // The CPU column counts only this process; find's own CPU time is reported here.
    rusage after{};
    ::getrusage(RUSAGE_CHILDREN, &after);
    auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    const double childCpu = seconds(after.ru_utime) - seconds(before.ru_utime) +
                            seconds(after.ru_stime) - seconds(before.ru_stime);
    state.counters["find_cpu_ms"] = 1000.0 * childCpu / double(state.iterations());
}

BENCHMARK(BM_datesWithNotes)->Arg(3650)->Arg(36500)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_preservedCopyURLs)
    ->Arg(3650)
    ->Arg(36500)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_findMarkdownFiles)
    ->Arg(3650)
    ->Arg(36500)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
