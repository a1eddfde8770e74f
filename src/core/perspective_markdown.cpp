// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/perspective_markdown.h"

#include "core/markdown_text.h"

#include <QStringList>

#include <algorithm>
#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace wrenfold::core::PerspectiveMarkdown {

namespace {

const QStringView kStartPrefix{startMarkerPrefix};
const QStringView kStartSuffix{startMarkerSuffix};
const QStringView kEndMarker{endMarker};
constexpr QStringView kHeadingSeparator = u" — ";

bool isWhite(QChar c)
{
    return c.isSpace();
}

// The end of the run of white space that starts at `from` (or `from` when there is none).
qsizetype skipWhite(QStringView text, qsizetype from)
{
    while (from < text.size() && isWhite(text[from]))
        ++from;
    return from;
}

// Headings whose title is only white space could otherwise be tried once per line.
constexpr int kTitleAttempts = 64;

struct Fields {
    QStringView id, name, title, prompt, response;
};

// Where the prompt ends (its closing line feed) when it starts at `start`: the first line
// feed from there that an empty line follows, such that one line feed is still left
// before the end marker. `limit` bounds the search; -1 when there is none.
qsizetype promptEnd(QStringView block, qsizetype start, qsizetype limit, qsizetype *responseStart)
{
    const qsizetype last = block.size() - 1; // the line feed right before the end marker
    for (qsizetype i = block.indexOf(u'\n', start); i >= 0 && i < limit;) {
        // The run of white space holding `i`; the empty line needs one more line feed in
        // it, and the greedy reading takes the last one.
        const qsizetype runEnd = std::min(skipWhite(block, i), last);
        const qsizetype feed = block.first(runEnd).lastIndexOf(u'\n');
        if (feed > i) {
            *responseStart = feed + 1;
            return i;
        }
        i = block.indexOf(u'\n', std::max(runEnd, i + 1));
    }
    return -1;
}

// The empty line, prompt, empty line and response after the heading's line feed at
// `titleEnd`; `block` ends right before the end marker.
bool readPromptAndResponse(QStringView block, qsizetype titleEnd, Fields &fields)
{
    if (!block.endsWith(u'\n'))
        return false;
    const qsizetype leadEnd = skipWhite(block, titleEnd + 1);
    qsizetype feed = block.first(leadEnd).lastIndexOf(u'\n');
    if (feed <= titleEnd)
        return false;
    qsizetype responseStart = 0;
    qsizetype end = promptEnd(block, feed + 1, block.size(), &responseStart);
    // Failing that, the prompt may begin at an earlier line feed of the same white space.
    while (end < 0) {
        feed = block.first(feed).lastIndexOf(u'\n');
        if (feed <= titleEnd)
            return false;
        end = promptEnd(block, feed + 1, leadEnd, &responseStart);
    }
    fields.prompt = block.sliced(feed + 1, end - feed - 1);
    fields.response = block.sliced(responseStart, block.size() - 1 - responseStart);
    return true;
}

// Finds end markers, remembering the last answer: failed blocks search again from
// nearby places, and the text must still be read in one pass.
class EndMarkers {
public:
    explicit EndMarkers(QStringView text) : m_text(text) {}
    qsizetype after(qsizetype from)
    {
        if (from < m_from || (m_end >= 0 && from > m_end)) {
            m_from = from;
            m_end = m_text.indexOf(kEndMarker, from);
        }
        return m_end;
    }

private:
    QStringView m_text;
    qsizetype m_from = std::numeric_limits<qsizetype>::max();
    qsizetype m_end = -1;
};

// Reads the block whose start marker is at `start`; it ends at the first end marker after
// its heading (`*end` is set to it). Follows the block shape's reading exactly, in one
// pass, so that no length of answer can make it fail.
std::optional<Fields> readBlock(QStringView text, qsizetype start, EndMarkers &ends, qsizetype *end)
{
    Fields fields;
    const qsizetype idStart = start + kStartPrefix.size();
    const qsizetype space = text.indexOf(u' ', idStart);
    if (space <= idStart || !text.sliced(space).startsWith(kStartSuffix))
        return std::nullopt;
    fields.id = text.sliced(idStart, space - idStart);

    // White space holding at least one line feed, then the heading at a line's start.
    const qsizetype afterMarker = space + kStartSuffix.size();
    const qsizetype heading = skipWhite(text, afterMarker);
    if (heading == afterMarker || text[heading - 1] != u'\n' ||
        !text.sliced(heading).startsWith(u"## "))
        return std::nullopt;

    // The name runs to the white space before the first dash and holds no line feed; only
    // white space may stand between its line's end and the dash.
    const qsizetype nameStart = heading + 3;
    qsizetype lineEnd = text.indexOf(u'\n', nameStart);
    if (lineEnd < 0)
        lineEnd = text.size();
    qsizetype dash = text.first(lineEnd).indexOf(u'—', nameStart);
    if (dash < 0)
        dash = skipWhite(text, lineEnd);
    if (dash >= text.size() || text[dash] != u'—')
        return std::nullopt;
    qsizetype nameEnd = dash;
    while (nameEnd > nameStart && isWhite(text[nameEnd - 1]))
        --nameEnd;
    if (nameEnd == nameStart)
        nameEnd = nameStart + 1; // a name of white space only: its first character
    if (nameEnd >= dash || nameEnd > lineEnd)
        return std::nullopt;
    fields.name = text.sliced(nameStart, nameEnd - nameStart);

    // White space, then the title to the end of its line. Should the rest not fit, the
    // title may also start inside that white space (as the expression backtracks into it).
    const qsizetype afterDash = dash + 1;
    qsizetype titleStart = skipWhite(text, afterDash);
    if (titleStart == afterDash)
        return std::nullopt;
    qsizetype titleEnd = text.indexOf(u'\n', titleStart);
    for (int attempt = 0; attempt < kTitleAttempts; ++attempt) {
        if (titleEnd > titleStart) {
            *end = ends.after(titleEnd);
            if (*end >= 0 && readPromptAndResponse(text.first(*end), titleEnd, fields)) {
                fields.title = text.sliced(titleStart, titleEnd - titleStart);
                return fields;
            }
        }
        // The next candidate: an earlier line feed of that white space with a space or tab
        // before it, which then is the whole title.
        titleEnd = text.first(std::min(titleStart, text.size())).lastIndexOf(u'\n');
        while (titleEnd > afterDash && text[titleEnd - 1] == u'\n')
            --titleEnd;
        // At least one white space character must stay between the dash and the title.
        if (titleEnd < afterDash + 2)
            return std::nullopt;
        titleStart = titleEnd - 1;
    }
    return std::nullopt;
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
    EndMarkers ends(text);
    for (qsizetype start = text.indexOf(kStartPrefix); start >= 0;) {
        qsizetype end = -1;
        const auto fields = readBlock(text, start, ends, &end);
        if (!fields) {
            start = text.indexOf(kStartPrefix, start + 1);
            continue;
        }
        if (auto id = perspectiveIDFromRawValue(fields->id.toString())) {
            result.append(DailyPerspectiveEntry{*id, trimmedSpaces(fields->name),
                                                trimmedSpaces(fields->title),
                                                trimmedSpacesAndNewlines(fields->prompt),
                                                trimmedSpacesAndNewlines(fields->response)});
        }
        start = text.indexOf(kStartPrefix, end + kEndMarker.size());
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
