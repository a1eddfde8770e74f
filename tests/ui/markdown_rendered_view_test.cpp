// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/preview/markdown_rendered_view.h"
#include "ui/preview/preview_document.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using wrenfold::ui::isExternalLink;
using wrenfold::ui::MarkdownRenderedView;
using wrenfold::ui::PreviewRowKind;
using wrenfold::ui::previewRowKind;

namespace {

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
    view.setMarkdown(u"- [x] Walk <!-- vesk-habit: 3f2a1c4e-0000-4000-8000-00000000abcd -->\n"
                     "- [X] Stretch <!-- vesk-habit: 00000000-0000-4000-8000-000000000001 -->\n"
                     "<!-- /vesk-perspective -->"_s);

    const QString shown = view.document()->toPlainText();
    EXPECT_FALSE(shown.contains(u"<!--"_s));
    EXPECT_FALSE(shown.contains(u"vesk"_s));
    EXPECT_TRUE(shown.contains(u"\tWalk\n"_s)) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(u"\tStretch"_s)) << shown.toStdString();
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
    EXPECT_EQ(view.browser()->accessibleName(), u"Rendered journal entry"_s);
}

} // namespace
