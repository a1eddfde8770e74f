// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// The rendered preview and the text control on long entries.
#include "bench_main.h"
#include "ui/editor/markdown_text_view.h"
#include "ui/preview/markdown_rendered_view.h"
#include "ui/preview/preview_document.h"
#include "ui/preview/preview_rows.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;
using namespace wrenfold::ui;

namespace {

// A journal entry of `lines` lines with the mix a real one has: mostly plain sentences,
// some emphasis, lists, tasks with habit markers, quotes, headings and hidden markers.
QString entry(int lines)
{
    const QStringList pattern{
        u"# Morning pages"_s,
        u"Woke early and wrote for a while before the house was up; the light was soft."_s,
        u"It was a **good** day with a _slow_ start and a `cup` of tea, see [notes](https://example.org)."_s,
        u""_s,
        u"- bread, milk, the long list of small errands that never ends"_s,
        u"- [x] Walk <!-- vesk-habit: 3f2a1c4e-0000-4000-8000-00000000abcd -->"_s,
        u"- [ ] Read two chapters"_s,
        u"> Slow is smooth, smooth is fast."_s,
        u"<!-- vesk-perspective: kaizen -->"_s,
        u"## Kaizen — Small steps"_s,
        u"Moved the kettle next to the sink, which saved a few steps every morning."_s,
        u"---"_s,
    };
    QStringList out;
    out.reserve(lines);
    for (int i = 0; i < lines; ++i)
        out << pattern[i % pattern.size()];
    return out.join(u'\n');
}

void BM_previewRows(benchmark::State &state)
{
    const QString text = entry(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(previewRows(text));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_previewRows)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

// Rows into the text document, without layout.
void BM_renderPreview(benchmark::State &state)
{
    const QList<PreviewRow> rows = previewRows(entry(int(state.range(0))));
    const PreviewStyle style = PreviewStyle::from(QApplication::font(), QApplication::palette());
    QTextDocument document;
    for (auto _ : state)
        renderPreview(document, rows, style);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_renderPreview)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

// What switching to Preview costs: rebuild the view and lay out what the window shows.
void BM_switchToPreview(benchmark::State &state)
{
    const QString text = entry(int(state.range(0)));
    const QString other = text + u"\nmore"_s;
    MarkdownRenderedView view;
    view.resize(700, 800);
    view.show();
    bool flip = false;
    for (auto _ : state) {
        view.setMarkdown(flip ? text : other);
        flip = !flip;
        view.browser()->viewport()->repaint();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_switchToPreview)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

// One keystroke at the end of a long entry: the control's edit plus reading back the
// whole text that goes to the model.
void BM_keystrokeInLongEntry(benchmark::State &state)
{
    MarkdownTextView view;
    view.resize(700, 800);
    view.show();
    view.takeOver(entry(int(state.range(0))), 0, 0);
    QString handed;
    QObject::connect(&view, &MarkdownTextView::edited,
                     [&handed](const QString &text) { handed = text; });
    QTextCursor cursor(view.document());
    cursor.movePosition(QTextCursor::End);
    for (auto _ : state) {
        cursor.insertText(u"x"_s);
        benchmark::DoNotOptimize(handed.size());
    }
}
BENCHMARK(BM_keystrokeInLongEntry)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return wrenfold::bench::runBenchmarks<QApplication>(argc, argv);
}
