// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QString>
#include <QUuid>

namespace wrenfold::app {

/// The editor's text against the note file's text, both changed since the model last
/// synced them. Every detection gets a fresh `id`, so a newer conflict replaces an older
/// one visibly.
struct ExternalEditConflict {
    QUuid id;
    QString local;    ///< the editor's text when the conflict was detected
    QString external; ///< the file's text read at that moment
    friend bool operator==(const ExternalEditConflict &, const ExternalEditConflict &) = default;
};

} // namespace wrenfold::app
