// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/journal.h"

#include <QList>
#include <QString>
#include <QUuid>

// A flow mentioned in the day's journal entry is a marked section:
//
//   <!-- vesk-flow: 0b6f3c1e-5d2a-4c8e-9a57-3f1e2d4c5b6a -->
//   ## Title
//
//   Detail (only when not empty)
//
//   **Next step:** next step (only when not empty)
namespace wrenfold::core::FlowMarkdown {

/// "<!-- vesk-flow: {uuid} -->" with lower-case hexadecimal digits.
QString marker(const QUuid &flowID);

/// `text` unchanged, an empty line when it holds anything besides white space, then the
/// mention ending with a line feed. An empty detail or next step is left out entirely (a
/// detail of spaces is written). Mentioning a flow again appends a second mention.
QString appending(const FlowItem &flow, const QString &text);

/// Identities of the lines that are exactly a mention marker (no leading or trailing
/// spaces), in order, repetitions included. Upper- and lower-case digits both count; a
/// text that is not a 36-character hyphenated UUID is skipped.
QList<QUuid> identifiers(const QString &text);

} // namespace wrenfold::core::FlowMarkdown
