// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/markdown_text.h"

#include <QChar>

namespace wrenfold::core {

namespace {

bool isAnySpace(char32_t c)
{
    // QChar::isSpace covers tab to carriage return, NEL, NBSP and the Z categories,
    // which is the set a reader would call "white space and line breaks".
    return QChar::isSpace(c);
}

template <typename Predicate> QString trimmedBy(QStringView text, Predicate isTrimmed)
{
    // Every character the predicates accept is in the Basic Multilingual Plane, so unit
    // by unit is enough and never splits a surrogate pair.
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isTrimmed(text.at(begin).unicode()))
        ++begin;
    while (end > begin && isTrimmed(text.at(end - 1).unicode()))
        --end;
    return text.sliced(begin, end - begin).toString();
}

} // namespace

bool isInlineSpace(char32_t c)
{
    return c == U'\t' || QChar::category(c) == QChar::Separator_Space;
}

QString trimmedSpaces(QStringView text)
{
    return trimmedBy(text, isInlineSpace);
}

QString trimmedSpacesAndNewlines(QStringView text)
{
    return trimmedBy(text, isAnySpace);
}

bool isBlank(QStringView text)
{
    for (QChar c : text) {
        if (!isAnySpace(c.unicode()))
            return false;
    }
    return true;
}

QString separatorBeforeSection(QStringView text)
{
    if (!isBlank(text))
        return QStringLiteral("\n\n");
    if (text.isEmpty() || text.endsWith(u'\n'))
        return {};
    return QStringLiteral("\n");
}

} // namespace wrenfold::core
