// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QString>
#include <QStringView>

namespace wrenfold::core {

/// True for a space-like character that stays on its line: tab and every Unicode space
/// separator (U+0020, U+00A0, U+2003 ...). Line breaks are not spaces here.
bool isInlineSpace(char32_t c);

/// Without leading and trailing inline spaces; line breaks at the ends stay.
QString trimmedSpaces(QStringView text);

/// Without leading and trailing white space of any kind, line breaks included.
QString trimmedSpacesAndNewlines(QStringView text);

/// True when the text holds nothing but white space and line breaks (or nothing at all).
bool isBlank(QStringView text);

/// What goes between a text and a section appended to it: an empty line ("\n\n") when the
/// text holds anything besides white space; otherwise nothing, or a single line feed when
/// the blank text does not end with one, so that the section's first line is a line of
/// its own and its marker is found again.
QString separatorBeforeSection(QStringView text);

/// The text control's form of `text`: each line end (CR LF, LF, a lone CR, U+2029) as LF.
QString withLineFeeds(QStringView text);

/// Turns `edited`, a text control's LF form of an edit of `previous`, back into the
/// note's own line ends: a line end the edit did not touch keeps its form (CR LF, LF,
/// lone CR or U+2029), and a new one takes the form `previous` uses most (LF when it has
/// none). So one keystroke in a note with mixed line ends changes nothing but that key.
QString restoredLineEndings(QStringView previous, QStringView edited);

} // namespace wrenfold::core
