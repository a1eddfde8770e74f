// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace wrenfold::app {

/// Text for case- and diacritic-blind matching: "Café" and "CAFE" both give "cafe",
/// "résumé" gives "resume". Line separators (LF, CR, U+0085, U+2028, U+2029) are kept
/// one for one, so the n-th line of the result is the fold of the n-th line of `text`.
/// Lines of pure ASCII are only lower-cased; other lines are decomposed, stripped of
/// non-spacing marks, recomposed and case-folded. "ß" stays "ß" (no "ss").
QString foldForSearch(QStringView text);

/// True for the characters that end a line for excerpts: LF, CR, U+0085, U+2028, U+2029.
bool isLineSeparator(QChar c);

/// The whole line (or lines) of `text` that holds the folded range [foldedStart,
/// foldedStart + foldedLength) of `folded` (which must be foldForSearch(text)), trimmed
/// of white space and line breaks at both ends.
QString excerptForMatch(QStringView text, QStringView folded, qsizetype foldedStart,
                        qsizetype foldedLength);

/// The line that stands for a note in an unfiltered list: the first line that, without
/// its spaces and tabs, is neither empty nor starts with "<!--", with a leading "## "
/// style heading marker (one to six '#' then white space) removed. A line ending in CR
/// (a CRLF file) is read without the CR. "Empty note" (translated) when no line counts.
QString firstUsefulLineOf(const QString &text);

/// firstUsefulLineOf without the fallback: nullopt when no line counts.
std::optional<QString> usefulLineIn(const QString &text);

} // namespace wrenfold::app
