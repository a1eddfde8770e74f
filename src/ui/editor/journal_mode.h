// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QList>
#include <QString>

namespace wrenfold::ui {

/// What the journal pane shows: the editable text or its rendering.
enum class JournalMode { write, preview };

/// "write" or "preview".
QString rawValue(JournalMode mode);
/// Localised "Write" or "Preview".
QString title(JournalMode mode);
/// Both cases in switch order: write, preview.
const QList<JournalMode> &allJournalModes();

} // namespace wrenfold::ui
