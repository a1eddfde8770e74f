// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/markdown_text.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <vector>

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

namespace {

// The forms a line end takes in a note; the text control shows each as one LF.
enum class LineEnd : quint8 { lf, crlf, cr, paragraph };

QStringView lineEndText(LineEnd end)
{
    switch (end) {
    case LineEnd::crlf:
        return u"\r\n";
    case LineEnd::cr:
        return u"\r";
    case LineEnd::paragraph:
        return u"\u2029";
    case LineEnd::lf:
        break;
    }
    return u"\n";
}

// Splits `text` into its LF form and the original form of each line end, in order.
QString splitLineEnds(QStringView text, std::vector<LineEnd> *ends)
{
    QString control;
    control.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        LineEnd end;
        if (c == u'\n') {
            end = LineEnd::lf;
        } else if (c == u'\r') {
            const bool pair = i + 1 < text.size() && text[i + 1] == u'\n';
            end = pair ? LineEnd::crlf : LineEnd::cr;
            i += pair ? 1 : 0;
        } else if (c == QChar::ParagraphSeparator) {
            end = LineEnd::paragraph;
        } else {
            control.append(c);
            continue;
        }
        control.append(u'\n');
        if (ends)
            ends->push_back(end);
    }
    return control;
}

} // namespace

QString withLineFeeds(QStringView text)
{
    return splitLineEnds(text, nullptr);
}

QString restoredLineEndings(QStringView previous, QStringView edited)
{
    std::vector<LineEnd> ends;
    const QString before = splitLineEnds(previous, &ends);
    if (std::all_of(ends.begin(), ends.end(), [](LineEnd e) { return e == LineEnd::lf; }))
        return edited.toString();

    std::array<qsizetype, 4> counts{};
    for (LineEnd e : ends)
        ++counts[size_t(e)];
    // Ties go to the earlier form: LF, then CR LF.
    const auto dominant = LineEnd(std::max_element(counts.begin(), counts.end()) - counts.begin());

    // The edit changed one stretch; the line ends before and after it are the old ones.
    const qsizetype shorter = std::min(before.size(), edited.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before[prefix] == edited[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == edited[edited.size() - 1 - suffix])
        ++suffix;
    const qsizetype suffixStart = edited.size() - suffix;
    const auto endsInSuffix = edited.sliced(suffixStart).count(u'\n');

    QString result;
    result.reserve(edited.size() + ends.size());
    size_t head = 0;
    size_t tail = ends.size() - size_t(endsInSuffix);
    for (qsizetype i = 0; i < edited.size(); ++i) {
        const QChar c = edited[i];
        if (c != u'\n') {
            result.append(c);
            continue;
        }
        LineEnd end = dominant;
        if (i < prefix)
            end = ends[head++];
        else if (i >= suffixStart)
            end = ends[tail++];
        result.append(lineEndText(end));
    }
    return result;
}

} // namespace wrenfold::core
