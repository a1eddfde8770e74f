// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QString>
#include <QtGlobal>

namespace wrenfold::core {

/// The whole text after a formatting edit and the selection to show. Positions and lengths
/// count UTF-16 code units, as the editor's cursor does (an emoji counts 2).
struct MarkdownEdit {
    QString text;
    qsizetype selectionLocation = 0;
    qsizetype selectionLength = 0;
    friend bool operator==(const MarkdownEdit &, const MarkdownEdit &) = default;
};

// Toolbar edits on the note text. They never look at existing formatting: applying one
// twice adds the markers twice.
namespace MarkdownFormatting {

/// Surrounds the selection with `prefix` and `suffix` and selects what was selected, now
/// inside the markers. An empty selection gets `placeholder`, selected. A negative start
/// or length counts as 0; a selection past the end is clamped to the end.
/// "hello world", 6, 5, "**", "**" gives "hello **world**" with 8, 5 selected.
MarkdownEdit wrap(const QString &text, qsizetype selectionLocation, qsizetype selectionLength,
                  const QString &prefix, const QString &suffix, const QString &placeholder);

/// Inserts `prefix` at the start of the line holding the selection's (clamped) start; only
/// that line changes. Lines end at "\n", "\r", "\r\n", U+2028 or U+2029; a position right
/// after a final line break is the start of a new, empty line. The selection moves right by
/// the prefix and keeps `selectionLength` exactly as passed.
MarkdownEdit linePrefix(const QString &text, qsizetype selectionLocation, qsizetype selectionLength,
                        const QString &prefix);

} // namespace MarkdownFormatting

} // namespace wrenfold::core
