// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Journal search, day activity and the note lists over generated notes folders of ten and a
// hundred years: 3,650 and 36,500 notes of about 2 KB (some lines with accented words),
// habits and perspectives on nine days in ten. The search is measured against
// `rg -i -l WORD Journal` on the same folder in the same run.
#include "app/journal_index.h"
#include "app/journal_search.h"
#include "core/markdown_store.h"
#include "core/note_listings.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include <malloc.h>

#include <sys/resource.h>

using namespace wrenfold;
using namespace Qt::StringLiterals;

namespace {

const QDate lastDay(2026, 3, 5);
// Occurs in every hundredth note, so in 1% of them.
const QString rareWord = u"lanternfish"_s;

const core::Calendar benchCalendar{QTimeZone::utc(), Qt::Monday};

QString generatedNote(QRandomGenerator &random, int index)
{
    static const QList<QString> words{
        u"morning"_s, u"walked"_s,  u"garden"_s,  u"coffee"_s, u"meeting"_s, u"project"_s,
        u"quiet"_s,   u"river"_s,   u"reading"_s, u"letter"_s, u"tired"_s,   u"bright"_s,
        u"kitchen"_s, u"evening"_s, u"train"_s,   u"friend"_s, u"notes"_s,   u"plan"_s,
        u"Café"_s,    u"résumé"_s,  u"naïve"_s,   u"déjà"_s,   u"Zürich"_s,  u"the"_s,
        u"and"_s,     u"with"_s,    u"about"_s,   u"slowly"_s, u"window"_s,  u"rain"_s};
    QString text = u"# Day %1\n\n"_s.arg(index);
    int line = 0;
    while (text.size() < 2000) {
        QString sentence;
        const int length = 8 + int(random.bounded(10));
        for (int w = 0; w < length; ++w) {
            if (w > 0)
                sentence += u' ';
            sentence += words.at(int(random.bounded(qsizetype(words.size()))));
        }
        if (index % 100 == 0 && line == 5)
            sentence += u" near the "_s + rareWord;
        text += sentence + u".\n"_s;
        if (++line % 4 == 0)
            text += u'\n';
    }
    return text;
}

void writeOrDie(const QString &path, const QString &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
        qFatal("cannot write %s", qPrintable(path));
}

struct Folder {
    QTemporaryDir dir;
    QString path; ///< the generated folder: inside `dir`, or kept between runs
    core::MarkdownStore store;
    QList<QDate> dates;
    qint64 noteBytes = 0;
    int dayCount = 0;
    QString cacheFile() const { return QDir(path).filePath(u"cache/search.idx"_s); }
};

// Generated once per run, or once for many runs into $WRENFOLD_BENCH_NOTES/<years> (writing
// a hundred years of files takes minutes on a loaded machine). The index keeps a text only
// after its file stood still for a few seconds, so the folder is left to settle before the
// first measurement; the search is measured as the screen sees it from the second
// keystroke on.
Folder &folder(int years = 10)
{
    static std::map<int, std::unique_ptr<Folder>> folders;
    std::unique_ptr<Folder> &folder = folders[years];
    if (folder)
        return *folder;
    folder = std::make_unique<Folder>();
    const QString kept = qEnvironmentVariable("WRENFOLD_BENCH_NOTES");
    folder->path = kept.isEmpty() ? folder->dir.path() : kept + u'/' + QString::number(years);
    const QString complete = folder->path + u"/.generated"_s;
    const bool generated = QFileInfo::exists(complete);
    folder->store = core::MarkdownStore(folder->path, benchCalendar);
    folder->dayCount = years * 365;
    const int dayCount = folder->dayCount;
    QRandomGenerator random(20260305);
    for (int i = 0; i < dayCount; ++i) {
        const QDateTime day = benchCalendar.startOfDay(lastDay.addDays(-i));
        const QString note = generatedNote(random, i);
        folder->noteBytes += note.toUtf8().size();
        if (generated)
            continue;
        writeOrDie(folder->store.noteURL(day), note);
        if (i % 10 != 0) {
            writeOrDie(folder->store.habitsURL(day),
                       u"- [x] Walk <!-- vesk-habit: 0b6f3c1e-5d2a-4c8e-9a57-3f1e2d4c5b6a -->\n\n"
                       u"- [ ] Read <!-- vesk-habit: 1c7a4d2f-6e3b-4d9f-8b68-4a2f3e5d6c7b -->\n"_s);
            writeOrDie(folder->store.perspectivesURL(day),
                       u"<!-- vesk-perspective: kaizen -->\n## Kaizen — Small steps\n\n"
                       u"What small change?\n\nA short answer.\n<!-- /vesk-perspective -->\n"_s);
        }
    }
    folder->dates = folder->store.datesWithNotes();
    if (folder->dates.size() != dayCount)
        qFatal("generated %lld notes", qlonglong(folder->dates.size()));
    if (!generated) {
        writeOrDie(complete, {});
        QThread::sleep(4);
    }
    return *folder;
}

double childCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Wall time includes starting the process, as a user running rg would see it. rg's own
// processor time (both threads) is reported as "rg_cpu_ms", which stays comparable with
// the CPU column of the index when other work loads the machine.
void BM_rgSearch(benchmark::State &state)
{
    Folder &notes = folder(int(state.range(0)));
    const int dayCount = notes.dayCount;
    const double cpuBefore = childCpuSeconds();
    for (auto _ : state) {
        QProcess rg;
        rg.setWorkingDirectory(notes.path);
        rg.start(u"rg"_s, {u"-i"_s, u"-l"_s, rareWord, u"Journal"_s});
        if (!rg.waitForFinished(60000)) {
            state.SkipWithError("rg did not finish");
            return;
        }
        const int files = int(rg.readAllStandardOutput().count('\n'));
        if (files != (dayCount + 99) / 100) {
            state.SkipWithError("rg found the wrong number of notes");
            return;
        }
    }
    state.counters["rg_cpu_ms"] =
        (childCpuSeconds() - cpuBefore) * 1000.0 / double(state.iterations());
}

void BM_journalResults(benchmark::State &state)
{
    Folder &notes = folder();
    const int dayCount = notes.dayCount;
    app::JournalIndex index(notes.store);
    index.journalResults(notes.dates, rareWord); // the first keystroke reads every note
    qsizetype found = 0;
    for (auto _ : state) {
        const QList<app::JournalSearchResult> results = index.journalResults(notes.dates, rareWord);
        found = results.size();
        benchmark::DoNotOptimize(results.data());
    }
    if (found != dayCount / 100 + 1)
        state.SkipWithError("wrong number of results");
    state.counters["kept"] = double(index.keptFileCount());
}

void BM_journalResultsAccented(benchmark::State &state)
{
    Folder &notes = folder();
    app::JournalIndex index(notes.store);
    index.journalResults(notes.dates, rareWord);
    for (auto _ : state) {
        const QList<app::JournalSearchResult> results =
            index.journalResults(notes.dates, u"ZURICH"_s);
        benchmark::DoNotOptimize(results.data());
    }
}

void BM_journalResultsEmptyQuery(benchmark::State &state)
{
    Folder &notes = folder();
    app::JournalIndex index(notes.store);
    index.journalResults(notes.dates, rareWord);
    for (auto _ : state) {
        const QList<app::JournalSearchResult> results = index.journalResults(notes.dates, {});
        benchmark::DoNotOptimize(results.data());
    }
}

// The first search after start-up (or after every note changed): nothing kept yet.
void BM_journalResultsFirstCall(benchmark::State &state)
{
    Folder &notes = folder();
    for (auto _ : state) {
        app::JournalIndex index(notes.store);
        const QList<app::JournalSearchResult> results = index.journalResults(notes.dates, rareWord);
        benchmark::DoNotOptimize(results.data());
    }
}

// The 42 cells of a month grid, from instants as the calendar screen passes them.
void BM_monthGridActivity(benchmark::State &state)
{
    Folder &notes = folder();
    app::JournalIndex index(notes.store);
    const QDate gridStart(2025, 12, 29);
    QList<QDateTime> cells;
    for (int i = 0; i < 42; ++i)
        cells.append(benchCalendar.startOfDay(gridStart.addDays(i)));
    for (const QDateTime &cell : cells)
        index.activity(benchCalendar.dayOf(cell));
    int habits = 0;
    for (auto _ : state) {
        habits = 0;
        for (const QDateTime &cell : cells)
            habits += index.activity(benchCalendar.dayOf(cell)).completedHabits;
        benchmark::DoNotOptimize(habits);
    }
    if (habits == 0)
        state.SkipWithError("no habits found");
}

void BM_monthGridActivityFirstCall(benchmark::State &state)
{
    Folder &notes = folder();
    const QDate gridStart(2025, 12, 29);
    for (auto _ : state) {
        app::JournalIndex index(notes.store);
        int habits = 0;
        for (int i = 0; i < 42; ++i)
            habits += index.activity(gridStart.addDays(i)).completedHabits;
        benchmark::DoNotOptimize(habits);
    }
}

qint64 heapBytes()
{
    return qint64(mallinfo2().uordblks);
}

// One keystroke as the worker answers it once every note is kept: the rare word.
void BM_searchKeystroke(benchmark::State &state)
{
    Folder &notes = folder(int(state.range(0)));
    const qint64 heapBefore = heapBytes();
    auto search = std::make_unique<app::JournalSearch>(notes.store);
    search->results(notes.dates, rareWord);
    const qint64 heapAfter = heapBytes();
    qsizetype found = 0;
    for (auto _ : state) {
        const auto results = search->results(notes.dates, rareWord);
        found = results->size();
        benchmark::DoNotOptimize(results->data());
    }
    if (found != (notes.dayCount + 99) / 100)
        state.SkipWithError("wrong number of results");
    state.counters["kept_MB"] = double(search->keptBytes()) / 1e6;
    state.counters["heap_MB"] = double(heapAfter - heapBefore) / 1e6;
    state.counters["notes_MB"] = double(notes.noteBytes) / 1e6;
    state.counters["heap_per_disk"] = double(heapAfter - heapBefore) / double(notes.noteBytes);
}

// A query found in every note: every note is decompressed and gives an excerpt.
void BM_searchKeystrokeEveryNote(benchmark::State &state)
{
    Folder &notes = folder(int(state.range(0)));
    app::JournalSearch search(notes.store);
    search.results(notes.dates, rareWord);
    qsizetype found = 0;
    for (auto _ : state) {
        const auto results = search.results(notes.dates, u"ZURICH"_s);
        found = results->size();
        benchmark::DoNotOptimize(results->data());
    }
    if (found != notes.dayCount)
        state.SkipWithError("wrong number of results");
}

// The same query as the worker answers a new keystroke: the first screenful of rows is
// handed over (and shown) before the other notes are looked at; measured up to that point.
void BM_searchFirstScreenEveryNote(benchmark::State &state)
{
    Folder &notes = folder(int(state.range(0)));
    app::JournalSearch search(notes.store);
    search.results(notes.dates, rareWord);
    qsizetype shown = 0;
    for (auto _ : state) {
        bool handedOver = false;
        app::JournalSearch::Hooks hooks;
        hooks.partial = [&](const QList<app::JournalSearchResult> &part) {
            shown = part.size();
            handedOver = true;
        };
        hooks.cancelled = [&] { return handedOver; };
        benchmark::DoNotOptimize(search.results(notes.dates, u"ZURICH"_s, hooks));
    }
    if (shown != app::JournalSearch::Hooks{}.firstPartial)
        state.SkipWithError("no first screenful");
}

void BM_searchEmptyQuery(benchmark::State &state)
{
    Folder &notes = folder(int(state.range(0)));
    app::JournalSearch search(notes.store);
    search.results(notes.dates, rareWord);
    for (auto _ : state) {
        const auto results = search.results(notes.dates, {});
        benchmark::DoNotOptimize(results->data());
    }
}

// The first search of a new process: the cache file is read and every note checked
// against its file before use.
void BM_firstSearchFromCache(benchmark::State &state)
{
    Folder &notes = folder(int(state.range(0)));
    {
        app::JournalSearch build(notes.store, notes.cacheFile());
        build.results(notes.dates, rareWord);
        if (!build.save())
            state.SkipWithError("cannot save the cache file");
    }
    for (auto _ : state) {
        app::JournalSearch search(notes.store, notes.cacheFile());
        const auto results = search.results(notes.dates, rareWord);
        benchmark::DoNotOptimize(results->data());
        if (search.hasUnsavedNotes())
            state.SkipWithError("a note was read again");
    }
}

// Once ever (or after the cache folder was emptied): read, fold and pack every note.
void BM_firstSearchBuild(benchmark::State &state)
{
    Folder &notes = folder(int(state.range(0)));
    for (auto _ : state) {
        app::JournalSearch search(notes.store);
        const auto results = search.results(notes.dates, rareWord);
        benchmark::DoNotOptimize(results->data());
    }
}

// The note lists after a save: one folder read again, against the full walk.
void BM_listsAfterSave(benchmark::State &state)
{
    Folder &notes = folder(int(state.range(0)));
    core::NoteListings listings;
    listings.rescanAll(notes.store);
    const QString saved = notes.store.noteURL(benchCalendar.startOfDay(lastDay));
    for (auto _ : state) {
        listings.rescanFolderOf(saved);
        benchmark::DoNotOptimize(listings.dates().data());
    }
}

void BM_listsFullWalk(benchmark::State &state)
{
    Folder &notes = folder(int(state.range(0)));
    core::NoteListings listings;
    for (auto _ : state) {
        listings.rescanAll(notes.store);
        benchmark::DoNotOptimize(listings.dates().data());
    }
}

} // namespace

BENCHMARK(BM_rgSearch)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_searchKeystroke)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_searchKeystrokeEveryNote)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_searchFirstScreenEveryNote)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_searchEmptyQuery)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_firstSearchFromCache)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_firstSearchBuild)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_listsAfterSave)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_listsFullWalk)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_journalResults)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_journalResultsAccented)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_journalResultsEmptyQuery)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_journalResultsFirstCall)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_monthGridActivity)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_monthGridActivityFirstCall)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
