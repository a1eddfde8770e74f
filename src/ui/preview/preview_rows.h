// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace wrenfold::ui {

/// How one line of an entry is drawn in the preview.
enum class PreviewRowKind {
    heading3,    ///< "### " title
    heading2,    ///< "## " title
    heading1,    ///< "# " title
    checkedTask, ///< "- [x] " or "- [X] "
    openTask,    ///< "- [ ] "
    bullet,      ///< "- "
    quote,       ///< "> "
    divider,     ///< exactly "---"
    spacer,      ///< empty line
    paragraph,   ///< anything else, shown whole
};

/// One drawn row: the line it comes from (zero-based), its kind, and the inline Markdown
/// source to render in it (the line without its prefix; empty for divider and spacer).
struct PreviewRow {
    qsizetype line = 0;
    PreviewRowKind kind = PreviewRowKind::paragraph;
    QString text;
    friend bool operator==(const PreviewRow &, const PreviewRow &) = default;
};

/// Classifies one raw line by the first matching prefix rule; nullopt for a line that
/// starts with "<!--" (hidden markers are not drawn). No trimming: "  - x" is a paragraph,
/// "#Title" and "#### x" are paragraphs, "--- " is a paragraph. Task text loses every
/// comment together with the white space before it: "- [x] Walk <!-- vesk-habit: … -->"
/// is a checked task "Walk". `line` of the result is 0.
std::optional<PreviewRow> renderedLine(const QString &line);

/// Splits `markdown` on every line feed (a trailing line feed gives a final empty line, a
/// carriage return stays in its line) and classifies each line; hidden lines give no row.
/// The empty text gives one spacer row.
QList<PreviewRow> previewRows(const QString &markdown);

} // namespace wrenfold::ui
