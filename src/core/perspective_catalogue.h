// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/journal.h"

#include <QList>
#include <QString>

namespace wrenfold::core {

/// One of the eleven built-in reflective practices. `name` is a proper name and never
/// translated; `title`, `explanation` and `journalPrompt` are the English texts, which
/// also serve as the keys of their translations.
struct Perspective {
    PerspectiveID id = PerspectiveID::kaizen;
    QString name;
    QString title;
    QString explanation;
    QString journalPrompt;

    friend bool operator==(const Perspective &, const Perspective &) = default;

    /// The title of this record's `id` in the installed translation, English without one.
    QString localizedTitle() const;
    /// The explanation of this record's `id` in the installed translation, or English.
    QString localizedExplanation() const;
    /// The journal prompt of this record's `id` in the installed translation, or English.
    QString localizedJournalPrompt() const;
};

/// The catalogue: exactly eleven records in `PerspectiveID` order, built once on first use
/// (thread-safe) and never changed.
const QList<Perspective> &perspectives();

/// The catalogue record of `id`.
const Perspective &perspective(PerspectiveID id);

/// The translated title, explanation and prompt of `id`, chosen by identifier and looked
/// up with the English text as key; English where the loaded table has no entry.
QString localizedTitle(PerspectiveID id);
QString localizedExplanation(PerspectiveID id);
QString localizedJournalPrompt(PerspectiveID id);

} // namespace wrenfold::core
