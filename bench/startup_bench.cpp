// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Start-up with many flows or many years of notes: the model and the main window over a
// generated notes folder with 0, 10,000 or 100,000 flows, every one of them a daily habit (the
// worst case for the Today screen's habit list), or with a note on every day of 10 or 100
// years, until the first painted window. A tenth of the habits are checked in today's habits
// file.
#include "app/app_model.h"
#include "bench_main.h"
#include "platform/workspace.h"
#include "ui/window/main_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

using namespace wrenfold;
using namespace Qt::StringLiterals;

namespace {

const core::Calendar benchCalendar{QTimeZone::utc(), Qt::Monday};

class NoWorkspace final : public platform::Workspace {
public:
    bool openFile(const QString &) override { return false; }
    bool openUrl(const QUrl &) override { return false; }
    bool revealFile(const QString &) override { return false; }
};

void writeOrDie(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

struct Folder {
    QTemporaryDir dir;
    QString root() const { return dir.filePath(u"notes"_s); }
};

Folder &folder(int flowCount, int years = 0)
{
    static std::map<std::pair<int, int>, std::unique_ptr<Folder>> folders;
    std::unique_ptr<Folder> &folder = folders[{flowCount, years}];
    if (folder)
        return *folder;
    folder = std::make_unique<Folder>();
    const core::MarkdownStore store(folder->root(), benchCalendar);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QList<core::FlowItem> flows;
    QByteArray habits;
    for (int i = 0; i < flowCount; ++i) {
        core::FlowItem flow;
        flow.id = QUuid::createUuid();
        flow.title = u"Habit %1"_s.arg(i);
        flow.detail = u"Why this habit matters, in a sentence or two."_s;
        flow.nextStep = u"The next small step."_s;
        flow.createdAt = flow.updatedAt = now.addSecs(-i);
        flow.tracksHabit = true;
        flows.append(flow);
        if (i % 10 == 0)
            habits += "- [x] " + flow.title.toUtf8() +
                      " <!-- vesk-habit: " + flow.id.toString(QUuid::WithoutBraces).toUtf8() +
                      " -->\n";
    }
    writeOrDie(store.flowsURL(), core::encodeFlows(flows));
    const QDateTime today = benchCalendar.startOfDay(benchCalendar.dayOf(now.toLocalTime()));
    writeOrDie(store.noteURL(today), "# Today\n\nA few words.\n");
    // Past days hold notes of about 2 KB, as a user's years would.
    const QByteArray past = "# A day\n\n" + QByteArray(2000, 'w') + "\n";
    for (int day = 1; day < years * 365; ++day)
        writeOrDie(store.noteURL(today.addDays(-day)), past);
    if (!habits.isEmpty())
        writeOrDie(store.habitsURL(today), habits);
    return *folder;
}

// What the program gives the model, with the generated folder as the notes folder.
app::AppServices services(const Folder &notes, QSettings &settings)
{
    app::AppServices services;
    services.settings = &settings;
    services.environment.insert(u"VESK_UI_TEST_ROOT"_s, notes.root());
    services.environment.insert(u"DISABLE_AUTO_UPDATE"_s, u"true"_s);
    services.documentsFolder = notes.dir.filePath(u"documents"_s);
    services.calendar = benchCalendar;
    return services;
}

// From nothing to the first painted window, as the program starts.
void BM_startupToFirstPaint(benchmark::State &state)
{
    Folder &notes = folder(int(state.range(0)), int(state.range(1)));
    QSettings settings(notes.dir.filePath(u"settings.ini"_s), QSettings::IniFormat);
    NoWorkspace workspace;
    qsizetype flows = 0;
    for (auto _ : state) {
        auto model = std::make_unique<app::AppModel>(services(notes, settings));
        auto window = std::make_unique<ui::MainWindow>(*model, workspace);
        window->setCalendarSettingsOpener([] {});
        window->show();
        // What the event loop does before the first frame: polish, lay out, paint.
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window->grab());
        flows = model->flows().size();
        state.PauseTiming(); // quitting is not starting
        window.reset();
        model.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    if (flows != state.range(0))
        state.SkipWithError("the flows were not all read");
}
// Arguments: flows, years of notes.
BENCHMARK(BM_startupToFirstPaint)
    ->Args({0, 0})
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({0, 10})
    ->Args({0, 100})
    ->Unit(benchmark::kMillisecond);

// From the Today screen to the painted Flows screen, which lists every flow.
void BM_switchToFlows(benchmark::State &state)
{
    Folder &notes = folder(int(state.range(0)));
    QSettings settings(notes.dir.filePath(u"settings.ini"_s), QSettings::IniFormat);
    NoWorkspace workspace;
    app::AppModel model(services(notes, settings));
    ui::MainWindow window(model, workspace);
    window.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        model.setSelection(app::AppSection::flows);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.grab());
        state.PauseTiming();
        model.setSelection(app::AppSection::today);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_switchToFlows)->Arg(0)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return wrenfold::bench::runBenchmarks<QApplication>(argc, argv);
}
