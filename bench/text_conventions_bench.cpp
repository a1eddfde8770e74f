// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// The text conventions run on every day load and, for habits and mentions, on every day
// of a search or activity pass; they must stay cheap, and hostile files must not stall
// the reader.
#include "core/flow_markdown.h"
#include "core/habit_markdown.h"
#include "core/perspective_catalogue.h"
#include "core/perspective_markdown.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;
using namespace wrenfold::core;

namespace {

QString fullDay()
{
    QList<DailyPerspectiveEntry> entries;
    for (const Perspective &record : perspectives()) {
        entries.append({record.id, record.name, record.title, record.journalPrompt,
                        u"A few sentences of answer.\n\nAnd a second paragraph, a bit "
                        u"longer than the first one, as people tend to write."_s});
    }
    return PerspectiveMarkdown::document(entries);
}

void perspectiveEntries_elevenBlocks(benchmark::State &state)
{
    const QString text = fullDay();
    for (auto _ : state)
        benchmark::DoNotOptimize(PerspectiveMarkdown::entries(text));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(perspectiveEntries_elevenBlocks);

// Thousands of start markers and empty lines with a single end marker at the very end.
void perspectiveEntries_hostile(benchmark::State &state)
{
    QString text;
    for (int i = 0; i < state.range(0); ++i)
        text += u"<!-- vesk-perspective: kaizen -->\n## K — T\n\n\n\n"_s;
    text += u"<!-- /vesk-perspective -->"_s;
    for (auto _ : state)
        benchmark::DoNotOptimize(PerspectiveMarkdown::entries(text));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(perspectiveEntries_hostile)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

void habitCompleted_twentyLines(benchmark::State &state)
{
    QString text;
    QList<FlowItem> flows;
    for (int i = 0; i < 20; ++i) {
        FlowItem flow;
        flow.id = QUuid::createUuid();
        flow.title = u"Habit number "_s + QString::number(i);
        text = HabitMarkdown::setting(i % 2 == 0, flow, text);
        flows.append(flow);
    }
    const QUuid last = flows.last().id;
    for (auto _ : state)
        benchmark::DoNotOptimize(HabitMarkdown::completed(last, text));
}
BENCHMARK(habitCompleted_twentyLines);

void flowIdentifiers_longNote(benchmark::State &state)
{
    QString text;
    for (int i = 0; i < 200; ++i)
        text += u"Some journal line with words in it, number "_s + QString::number(i) + u'\n';
    FlowItem flow;
    flow.id = QUuid::createUuid();
    flow.title = u"Garden"_s;
    flow.nextStep = u"Buy seeds"_s;
    text = FlowMarkdown::appending(flow, FlowMarkdown::appending(flow, text));
    for (auto _ : state)
        benchmark::DoNotOptimize(FlowMarkdown::identifiers(text));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(flowIdentifiers_longNote);

} // namespace

BENCHMARK_MAIN();
