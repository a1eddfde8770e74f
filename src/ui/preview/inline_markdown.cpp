// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/preview/inline_markdown.h"

#include <QFont>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

// Characters that can start inline Markdown in the CommonMark dialect; a line without
// any of them renders as itself, which spares the parser for most lines of an entry.
bool mayHoldInlineSyntax(QStringView text)
{
    for (QChar ch : text) {
        switch (ch.unicode()) {
        case u'*':
        case u'_':
        case u'`':
        case u'[':
        case u'<':
        case u'&':
        case u'\\':
            return true;
        default:
            break;
        }
    }
    return false;
}

InlineRun plainRun(const QString &text)
{
    InlineRun run;
    run.text = text;
    return run;
}

bool isBlank(QChar ch)
{
    return ch == u' ' || ch == u'\t';
}

// The parser reads whole documents; escape what would open a block at the start of the
// line so that only inline syntax takes effect. `text` has no leading white space.
QString escapeBlockStart(const QString &text)
{
    static const QRegularExpression orderedList(u"^\\d{1,9}(?=[.)](?:[ \\t]|$))"_s);
    static const QRegularExpression starBreak(u"^(?:\\*[ \\t]*){3,}$"_s);
    static const QRegularExpression underscoreBreak(u"^(?:_[ \\t]*){3,}$"_s);
    static const QRegularExpression referenceDefinition(u"^\\[[^\\]]*\\]:"_s);

    if (text.isEmpty())
        return text;
    const QChar first = text.front();
    const bool blankAfterFirst = text.size() == 1 || isBlank(text.at(1));
    switch (first.unicode()) {
    case u'#':
    case u'>':
    case u'-':
    case u'+':
    case u'=':
    case u'`':
    case u'~':
        return u'\\' + text;
    case u'*':
        if (blankAfterFirst || starBreak.match(text).hasMatch())
            return u'\\' + text;
        return text;
    case u'_':
        return underscoreBreak.match(text).hasMatch() ? u'\\' + text : text;
    case u'[':
        return referenceDefinition.match(text).hasMatch() ? u'\\' + text : text;
    default:
        break;
    }
    if (first.isDigit()) {
        if (const QRegularExpressionMatch match = orderedList.match(text); match.hasMatch()) {
            const qsizetype digits = match.capturedLength();
            return text.left(digits) + u'\\' + text.mid(digits);
        }
    }
    return text;
}

// Runs of a parsed line, or an empty list when the parse did not yield one plain
// paragraph of inline text.
QList<InlineRun> parse(const QString &core)
{
    QTextDocument document;
    document.setMarkdown(escapeBlockStart(core),
                         QTextDocument::MarkdownFeatures(QTextDocument::MarkdownDialectCommonMark |
                                                         QTextDocument::MarkdownNoHTML));
    if (document.blockCount() != 1)
        return {};
    const QTextBlock block = document.firstBlock();
    const QTextBlockFormat format = block.blockFormat();
    if (block.textList() || format.headingLevel() != 0 ||
        format.hasProperty(QTextFormat::BlockQuoteLevel) ||
        format.hasProperty(QTextFormat::BlockCodeFence) ||
        format.hasProperty(QTextFormat::BlockCodeLanguage) ||
        format.hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth))
        return {};

    QList<InlineRun> runs;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat charFormat = fragment.charFormat();
        if (charFormat.isImageFormat())
            return {};
        InlineRun run;
        run.text = fragment.text();
        run.strong = charFormat.fontWeight() >= QFont::DemiBold;
        run.emphasis = charFormat.fontItalic();
        run.code = charFormat.fontFixedPitch();
        if (charFormat.isAnchor())
            run.link = charFormat.anchorHref();
        runs.append(std::move(run));
    }
    // A reference definition or similar swallowed the whole line.
    if (runs.isEmpty())
        return {};
    return runs;
}

} // namespace

QList<InlineRun> inlineRuns(const QString &text)
{
    if (text.isEmpty())
        return {};

    qsizetype begin = 0;
    while (begin < text.size() && text.at(begin).isSpace())
        ++begin;
    qsizetype end = text.size();
    while (end > begin && text.at(end - 1).isSpace())
        --end;
    const QString core = text.mid(begin, end - begin);

    QList<InlineRun> runs;
    if (mayHoldInlineSyntax(core))
        runs = parse(core);
    if (runs.isEmpty())
        return {plainRun(text)};

    // The parser drops white space at the ends of a paragraph; the line keeps it.
    if (begin > 0)
        runs.prepend(plainRun(text.left(begin)));
    if (end < text.size())
        runs.append(plainRun(text.mid(end)));
    return runs;
}

QString plainText(const QList<InlineRun> &runs)
{
    QString text;
    for (const InlineRun &run : runs)
        text += run.text;
    return text;
}

} // namespace wrenfold::ui
