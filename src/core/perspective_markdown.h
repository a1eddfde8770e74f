// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/journal.h"

#include <QList>
#include <QString>

// A day's answered perspectives as marked Markdown blocks, one per entry:
//
//   <!-- vesk-perspective: kaizen -->
//   ## Kaizen — Small steps
//
//   What small change did I notice?
//
//   The answer, any number of lines.
//   <!-- /vesk-perspective -->
//
// Nothing here fails: text that does not have the shape simply yields fewer results.
namespace wrenfold::core::PerspectiveMarkdown {

/// "<!-- vesk-perspective: " and " -->" around the raw identifier.
inline constexpr char16_t startMarkerPrefix[] = u"<!-- vesk-perspective: ";
inline constexpr char16_t startMarkerSuffix[] = u" -->";
inline constexpr char16_t endMarker[] = u"<!-- /vesk-perspective -->";

/// The closed blocks joined by one empty line, then a line feed; the empty list gives the
/// empty text. Fields are written as they are: nothing is trimmed or escaped.
QString document(const QList<DailyPerspectiveEntry> &entries);

/// Every closed block in order of appearance, duplicates included. Blocks with an unknown
/// identifier, or a start marker without an end marker, yield nothing. Name and title come
/// back without surrounding spaces and tabs, prompt and response without any surrounding
/// white space or line breaks. A prompt holding an empty line keeps only its first
/// paragraph; the rest starts the response.
QList<DailyPerspectiveEntry> entries(const QString &text);

/// `text` unchanged, an empty line when it holds anything besides white space, then the
/// open block (marker, heading, empty line, prompt, line feed; no answer, no end marker).
/// The marker always starts a line of its own, so `identifiers` finds it again.
QString appending(PerspectiveID id, const QString &name, const QString &title,
                  const QString &prompt, const QString &text);

/// Identifiers of the lines that are exactly a start marker (no leading or trailing
/// spaces), in order, repetitions included; unknown identifiers are skipped.
QList<PerspectiveID> identifiers(const QString &text);

} // namespace wrenfold::core::PerspectiveMarkdown
