// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/perspective_markdown.h"

#include "core/markdown_text.h"

#include <QRegularExpression>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace wrenfold::core::PerspectiveMarkdown {

namespace {

const QStringView kStartPrefix{startMarkerPrefix};
const QStringView kStartSuffix{startMarkerSuffix};
const QStringView kEndMarker{endMarker};
constexpr QStringView kHeadingSeparator = u" — ";

const QRegularExpression &blockExpression()
{
    // The prompt and the response may not run past an end marker, so a block that lacks
    // its own end marker, or its empty lines, can never swallow the block after it.
    static const QRegularExpression expression(u"<!-- vesk-perspective: ([^ ]+) -->\\s*\\n"
                                               u"## ([^\\n—]+?)\\s+—\\s+([^\\n]+)\\n"
                                               u"\\s*\\n((?:(?!<!-- /vesk-perspective -->).)*?)"
                                               u"\\n\\s*\\n((?:(?!<!-- /vesk-perspective -->).)*?)"
                                               u"\\n<!-- /vesk-perspective -->"_s,
                                               QRegularExpression::DotMatchesEverythingOption |
                                                   QRegularExpression::UseUnicodePropertiesOption);
    return expression;
}

QString headingAndPrompt(PerspectiveID id, const QString &name, const QString &title,
                         const QString &prompt)
{
    return kStartPrefix + rawValue(id) + kStartSuffix + u"\n## " + name + kHeadingSeparator +
           title + u"\n\n" + prompt;
}

} // namespace

QString document(const QList<DailyPerspectiveEntry> &entries)
{
    QStringList blocks;
    blocks.reserve(entries.size());
    for (const DailyPerspectiveEntry &entry : entries) {
        blocks.append(headingAndPrompt(entry.perspectiveID, entry.name, entry.title, entry.prompt) +
                      u"\n\n" + entry.response + u'\n' + kEndMarker);
    }
    if (blocks.isEmpty())
        return {};
    return blocks.join(u"\n\n") + u'\n';
}

QList<DailyPerspectiveEntry> entries(const QString &text)
{
    QList<DailyPerspectiveEntry> result;
    // Every block ends with an end marker; without one there is nothing to search for.
    if (!text.contains(kEndMarker) || !text.contains(kStartPrefix))
        return result;
    auto matches = blockExpression().globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const std::optional<PerspectiveID> id = perspectiveIDFromRawValue(match.captured(1));
        if (!id)
            continue;
        result.append(DailyPerspectiveEntry{*id, trimmedSpaces(match.capturedView(2)),
                                            trimmedSpaces(match.capturedView(3)),
                                            trimmedSpacesAndNewlines(match.capturedView(4)),
                                            trimmedSpacesAndNewlines(match.capturedView(5))});
    }
    return result;
}

QString appending(PerspectiveID id, const QString &name, const QString &title,
                  const QString &prompt, const QString &text)
{
    return text + separatorBeforeSection(text) + headingAndPrompt(id, name, title, prompt) + u'\n';
}

QList<PerspectiveID> identifiers(const QString &text)
{
    QList<PerspectiveID> result;
    for (QStringView line : QStringView(text).split(u'\n', Qt::SkipEmptyParts)) {
        if (!line.startsWith(kStartPrefix) || !line.endsWith(kStartSuffix))
            continue;
        // "<!-- vesk-perspective: -->" is both prefix and suffix at once: no identifier.
        const qsizetype length = line.size() - kStartPrefix.size() - kStartSuffix.size();
        if (length < 0)
            continue;
        if (auto id =
                perspectiveIDFromRawValue(line.sliced(kStartPrefix.size(), length).toString()))
            result.append(*id);
    }
    return result;
}

} // namespace wrenfold::core::PerspectiveMarkdown
