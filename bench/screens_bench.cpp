// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// The Calendar and Journal screens over a generated notes folder of ten years (3,650
// notes of about 2 KB, habits on every other day, a flow mention in every fifth note):
// one month switch with activity and paint, and one search keystroke until the list
// shows the answer and is painted.
#include "app/app_model.h"
#include "bench_main.h"
#include "ui/calendar/calendar_view.h"
#include "ui/journal/journal_results_model.h"
#include "ui/journal/journal_view.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QRandomGenerator>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <memory>

using namespace wrenfold;
using namespace Qt::StringLiterals;

namespace {

constexpr int dayCount = 3650;
const core::Calendar benchCalendar{QTimeZone::utc(), Qt::Monday};

void writeOrDie(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray generatedNote(QRandomGenerator &random, int index)
{
    static const QList<QByteArray> words{"morning", "walked", "garden", "coffee",  "meeting",
                                         "project", "quiet",  "river",  "reading", "letter",
                                         "Café",    "Zürich", "the",    "and",     "window"};
    QByteArray text = "# Day " + QByteArray::number(index) + "\n\n";
    if (index % 5 == 0)
        text += "<!-- vesk-flow: 6f1c2a8e-0b1d-4c55-9d8e-3a1f0c2b7d41 -->\nGarden flow.\n";
    while (text.size() < 2000) {
        for (int w = 0; w < 12; ++w)
            text += words.at(int(random.bounded(qsizetype(words.size())))) + ' ';
        if (index % 100 == 0)
            text += "lanternfish";
        text += ".\n";
    }
    return text;
}

struct World {
    QTemporaryDir dir;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<app::AppModel> model;

    World()
    {
        const QString root = dir.filePath(u"notes"_s);
        const core::MarkdownStore store(root, benchCalendar);
        QRandomGenerator random(7);
        const QDate last = benchCalendar.dayOf(QDateTime::currentDateTime());
        for (int i = 0; i < dayCount; ++i) {
            const QDateTime day = benchCalendar.startOfDay(last.addDays(-i));
            writeOrDie(store.noteURL(day), generatedNote(random, i));
            if (i % 2 == 0)
                writeOrDie(store.habitsURL(day),
                           "- [x] Run <!-- vesk-habit: 6f1c2a8e-0b1d-4c55-9d8e-3a1f0c2b7d41 -->\n");
        }
        // Texts are kept only once their files stood still for a few seconds.
        QThread::sleep(4);
        settings =
            std::make_unique<QSettings>(dir.filePath(u"settings.ini"_s), QSettings::IniFormat);
        app::AppServices services;
        services.settings = settings.get();
        services.environment.insert(u"VESK_UI_TEST_ROOT"_s, root);
        services.environment.insert(u"DISABLE_AUTO_UPDATE"_s, u"true"_s);
        services.documentsFolder = dir.filePath(u"documents"_s);
        services.calendar = benchCalendar;
        model = std::make_unique<app::AppModel>(services);
    }
};

World &world()
{
    static World instance;
    return instance;
}

void BM_CalendarMonthSwitch(benchmark::State &state)
{
    ui::CalendarView view(*world().model);
    view.resize(1000, 760);
    view.show();
    // Twelve months back and forth: after the first pass every text is kept.
    for (int i = 0; i < 24; ++i)
        view.moveMonth(i < 12 ? -1 : 1);
    int step = 0;
    for (auto _ : state) {
        view.moveMonth(step++ % 24 < 12 ? -1 : 1);
        benchmark::DoNotOptimize(view.grab());
    }
}
BENCHMARK(BM_CalendarMonthSwitch)->Unit(benchmark::kMillisecond);

// One keystroke: the field's text changes, the worker answers, the list takes the rows
// and paints. The two queries alternate between 37 rows and every row (3,650).
void BM_JournalSearchKeystroke(benchmark::State &state)
{
    app::AppModel &model = *world().model;
    ui::JournalView view(model);
    view.resize(1100, 760);
    view.show();
    const QList<QString> queries{u"lanternfish"_s, u"caf"_s};
    auto type = [&](const QString &query) {
        QEventLoop loop;
        QObject::connect(&model, &app::AppModel::journalSearchResultsChanged, &loop,
                         &QEventLoop::quit);
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        view.searchField()->setText(query);
        loop.exec();
        benchmark::DoNotOptimize(view.entriesList()->grab());
    };
    // The first answer reads and keeps every note; it is not what is measured here.
    type(queries[1]);
    type(queries[0]);
    int step = 1; // "caf" first: each keystroke changes the answer
    for (auto _ : state)
        type(queries[step++ % 2]);
    state.counters["rows"] = double(view.results()->rowCount());
}
BENCHMARK(BM_JournalSearchKeystroke)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return wrenfold::bench::runBenchmarks<QApplication>(argc, argv);
}
