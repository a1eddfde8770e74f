// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/preview/inline_markdown.h"
#include "ui/preview/markdown_rendered_view.h"
#include "ui/preview/preview_document.h"
#include "ui/preview/preview_rows.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace wrenfold::ui;

namespace {

TEST(PreviewRows, renderedLine_classifiesByFirstMatchingRule)
{
    using K = PreviewRowKind;
    const QString habit = u" <!-- vesk-habit: 3f2a1c4e-0000-4000-8000-00000000abcd -->"_s;
    const struct {
        QString line;
        std::optional<PreviewRowKind> kind; // none: no row
        QString text;                       // null: the line as written
    } rows[] = {
        {u"<!-- vesk-perspective: kaizen -->"_s, {}, {}},
        {u"<!--x--> visible?"_s, {}, {}}, // hidden even with text after
        {u" <!-- x -->"_s, K::paragraph, {}},
        {u"### Small"_s, K::heading3, u"Small"_s},
        {u"## Kaizen — Small steps"_s, K::heading2, u"Kaizen — Small steps"_s},
        {u"# Big"_s, K::heading1, u"Big"_s},
        {u"#Big"_s, K::paragraph, {}},
        {u"#### Deep"_s, K::paragraph, {}},
        {u"- [x] Walk"_s + habit, K::checkedTask, u"Walk"_s}, // marker and space dropped
        {u"- [X] Walk"_s + habit, K::checkedTask, u"Walk"_s},
        {u"- [ ] Call <!--a-->mum<!--b-->"_s, K::openTask, u"Callmum"_s},
        {u"- [ ]Call"_s, K::bullet, u"[ ]Call"_s},
        {u"- [ ] "_s, K::openTask, u""_s},
        {u"- milk"_s, K::bullet, u"milk"_s},
        {u"- milk <!-- c -->"_s, K::bullet, u"milk <!-- c -->"_s},
        {u"  - milk"_s, K::paragraph, {}},
        {u"-milk"_s, K::paragraph, {}},
        {u"> calm"_s, K::quote, u"calm"_s},
        {u">calm"_s, K::paragraph, {}},
        {u"---"_s, K::divider, u""_s},
        {u""_s, K::spacer, u""_s},
        {u"   "_s, K::paragraph, {}},
        {u"---\r"_s, K::paragraph, {}},     // the carriage return stays in the line
        {u"- \u0301x"_s, K::paragraph, {}}, // a combining mark after the space: no bullet
        {u"- 🙂 ok"_s, K::bullet, u"🙂 ok"_s},
    };
    for (const auto &c : rows) {
        SCOPED_TRACE(c.line.toStdString());
        const std::optional<PreviewRow> row = renderedLine(c.line);
        ASSERT_EQ(row.has_value(), c.kind.has_value());
        if (row) {
            EXPECT_EQ(row->kind, *c.kind);
            EXPECT_EQ(row->text, c.text.isNull() ? c.line : c.text);
        }
    }
}

TEST(PreviewRows, splitIntoLinesByLineFeedOnly)
{
    using K = PreviewRowKind;
    // An empty entry is one spacer, a trailing line feed gives a final spacer, and CRLF
    // keeps the carriage return in each line.
    EXPECT_EQ(previewRows({}), (QList<PreviewRow>{{0, K::spacer, {}}}));
    EXPECT_EQ(previewRows(u"a\n"_s),
              (QList<PreviewRow>{{0, K::paragraph, u"a"_s}, {1, K::spacer, {}}}));
    EXPECT_EQ(previewRows(u"- a\r\n\r\n"_s),
              (QList<PreviewRow>{
                  {0, K::bullet, u"a\r"_s}, {1, K::paragraph, u"\r"_s}, {2, K::spacer, {}}}));
}

InlineRun run(const QString &text, bool strong = false, bool emphasis = false, bool code = false,
              const QString &link = {})
{
    return {text, strong, emphasis, code, link};
}

TEST(InlineRuns, styledAndPlainText_splitIntoRuns)
{
    const std::pair<QString, QList<InlineRun>> rows[] = {
        {u"a **bold** and _italic_ word"_s,
         {run(u"a "_s), run(u"bold"_s, true), run(u" and "_s), run(u"italic"_s, false, true),
          run(u" word"_s)}},
        {u"  **x**  "_s, {run(u"  "_s), run(u"x"_s, true), run(u"  "_s)}}, // spaces around are kept
        {u"see `x = 1` at [site](https://example.org)"_s,
         {run(u"see "_s), run(u"x = 1"_s, false, false, true), run(u" at "_s),
          run(u"site"_s, false, false, false, u"https://example.org"_s)}},
        {u"1. **done**"_s, {run(u"1. "_s), run(u"done"_s, true)}}, // after an escaped block marker
        {u"just words, 3 of them."_s, {run(u"just words, 3 of them."_s)}},
        {{}, {}},
    };
    for (const auto &[text, runs] : rows)
        EXPECT_EQ(inlineRuns(text), runs) << text.toStdString();
}

TEST(InlineRuns, unstyledAndBlockSyntax_showTheTextUnchangedWithoutStyles)
{
    // Separated by "|".
    const QStringList texts =
        u"**not closed|1. first|2) second|# not a heading|> not a quote|* not a list|"
        u"+ not a list|* * *|___|```js|~~~|[ref]: https://example.org|    code & more|"
        u"\tindented & more|<b>not bold</b> <script>x</script>|![alt](file:///etc/passwd) text|"
        u"a <x>  |a   _b|   "_s.split(u'|');
    for (const QString &text : texts) {
        const QList<InlineRun> runs = inlineRuns(text);
        EXPECT_EQ(plainText(runs), text);
        for (const InlineRun &r : runs)
            EXPECT_FALSE(r.strong || r.emphasis || r.code || !r.link.isEmpty())
                << text.toStdString();
    }
}

QList<PreviewRowKind> blockKinds(const QTextDocument &document)
{
    QList<PreviewRowKind> kinds;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        kinds << previewRowKind(block);
    return kinds;
}

TEST(MarkdownRenderedView, oneBlockPerDrawnRow_withoutMarkersOrComments)
{
    MarkdownRenderedView view;
    view.setMarkdown(u"<!-- vesk-perspective: ma -->\n## Ma — Space between\n> pause\n---\nend"_s);

    const QList<PreviewRowKind> expected{PreviewRowKind::heading2, PreviewRowKind::quote,
                                         PreviewRowKind::divider, PreviewRowKind::paragraph};
    EXPECT_EQ(blockKinds(*view.document()), expected);
    EXPECT_EQ(view.document()->firstBlock().userState(), 1);
    EXPECT_EQ(view.document()->lastBlock().userState(), 4);
    EXPECT_EQ(view.document()->toPlainText(), u"Ma — Space between\npause\n\nend"_s);
}

TEST(MarkdownRenderedView, link_isAnAnchorAndOnlyWebAndMailLinksLeaveTheApp)
{
    MarkdownRenderedView view;
    view.setMarkdown(u"read [this](https://example.org/a) now"_s);

    QStringList anchors;
    const QTextBlock block = view.document()->firstBlock();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isAnchor())
            anchors << it.fragment().text() + u" -> "_s + it.fragment().charFormat().anchorHref();
    }
    EXPECT_EQ(anchors, QStringList{u"this -> https://example.org/a"_s});
    const QStringList opened{u"https://example.org/a"_s, u"HTTP://example.org"_s,
                             u"mailto:me@example.org"_s};
    const QStringList kept{u"file:///etc/passwd"_s, u"javascript:alert(1)"_s, u"notes.md"_s, u""_s,
                           u"https://"_s,           u"smb://server/share"_s,  u"mailto:"_s};
    for (const QString &link : opened)
        EXPECT_TRUE(isExternalLink(QUrl(link))) << link.toStdString();
    for (const QString &link : kept)
        EXPECT_FALSE(isExternalLink(QUrl(link))) << link.toStdString();
}

TEST(MarkdownRenderedView, isReadOnlyAndCopiesPlainTextWithoutPictureCharacters)
{
    MarkdownRenderedView view;
    view.setMarkdown(u"- [ ] Read\n**bold**"_s);
    view.browser()->selectAll();

    view.browser()->copy();

    EXPECT_EQ(QApplication::clipboard()->text(), u"\tRead\nbold"_s);
    EXPECT_FALSE(QApplication::clipboard()->mimeData()->hasHtml());
    EXPECT_TRUE(view.browser()->isReadOnly());
    EXPECT_TRUE(view.browser()->textInteractionFlags() & Qt::TextSelectableByKeyboard);
}

} // namespace
