// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/markdown_formatting.h"

#include <algorithm>

namespace wrenfold::core::MarkdownFormatting {

namespace {

qsizetype clampedStart(const QString &text, qsizetype location)
{
    return std::clamp<qsizetype>(location, 0, text.size());
}

bool isLineTerminator(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'\n' || u == u'\r' || u == u'\u2028' || u == u'\u2029';
}

qsizetype lineStart(const QString &text, qsizetype position)
{
    // A position between the two halves of "\r\n" still belongs to the line the pair ends.
    if (position > 0 && position < text.size() && text[position - 1] == u'\r' &&
        text[position] == u'\n')
        --position;
    while (position > 0 && !isLineTerminator(text[position - 1]))
        --position;
    return position;
}

} // namespace

MarkdownEdit wrap(const QString &text, qsizetype selectionLocation, qsizetype selectionLength,
                  const QString &prefix, const QString &suffix, const QString &placeholder)
{
    const qsizetype start = clampedStart(text, selectionLocation);
    const qsizetype length = std::clamp<qsizetype>(selectionLength, 0, text.size() - start);
    const QString inner = length > 0 ? text.mid(start, length) : placeholder;

    QString result = text;
    result.replace(start, length, prefix + inner + suffix);
    return MarkdownEdit{result, start + prefix.size(), inner.size()};
}

MarkdownEdit linePrefix(const QString &text, qsizetype selectionLocation, qsizetype selectionLength,
                        const QString &prefix)
{
    const qsizetype start = clampedStart(text, selectionLocation);
    QString result = text;
    result.insert(lineStart(text, start), prefix);
    return MarkdownEdit{result, start + prefix.size(), selectionLength};
}

} // namespace wrenfold::core::MarkdownFormatting
