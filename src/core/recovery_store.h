// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/result.h"

#include <QList>
#include <QProcessEnvironment>
#include <QString>

namespace wrenfold::core {

/// One text in the recovery folder and the note it belongs to.
struct RecoveredText {
    QString file;      ///< the recovery file itself
    QString notePath;  ///< the note the text was typed for
    QString notesRoot; ///< the notes folder that note lives in
    QString text;
    friend bool operator==(const RecoveredText &, const RecoveredText &) = default;
};

/// Editor text that has not reached its note yet, kept like an editor's swap file on the
/// local disk, outside the notes folder (which may be a sync folder or a removable disk).
/// Each file holds one text: a first line naming its note as an HTML comment, then the
/// text exactly as typed, so it also reads well when opened by hand. Every write is
/// durable: a transient file, synced, renamed over the old one, folder synced.
class RecoveryStore {
public:
    /// A store without a folder: every save fails, nothing is listed.
    RecoveryStore() = default;
    explicit RecoveryStore(QString folder);

    /// "$XDG_STATE_HOME/wrenfold/recovery"; "$HOME/.local/state" stands in for a
    /// missing or relative XDG_STATE_HOME.
    static QString standardFolder(const QProcessEnvironment &environment);

    const QString &folder() const { return m_folder; }

    /// A recovery file name that no text uses yet, named after the note's day:
    /// "<note name>-<8 hex digits of the note path's hash>.md", with "-2", "-3" ... added
    /// when it is taken.
    QString newFile(const QString &notePath) const;
    /// Writes `text` for `notePath` into `file` (one from `newFile`), replacing what it
    /// held. The folder is created private to the user when missing.
    Status save(const QString &file, const QString &notePath, const QString &notesRoot,
                const QString &text) const;
    /// Removes `file`; one already gone is no error.
    Status remove(const QString &file) const;
    /// Every recovery file that can be read, oldest first. Transient files left behind
    /// by a crash while saving are removed; files of any other shape are left alone.
    QList<RecoveredText> entries() const;

private:
    QString m_folder;
};

} // namespace wrenfold::core
