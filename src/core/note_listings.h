// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/markdown_store.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

#include <vector>

namespace wrenfold::core {

/// The days with notes and the preserved copies below "Journal", kept per folder so that a
/// change to one day's note reads that day's folder again instead of the whole tree. The
/// lists hold what `MarkdownStore::datesWithNotes` and `preservedCopyURLs` return.
class NoteListings {
public:
    /// Walks the whole tree of `store`'s notes folder.
    void rescanAll(const MarkdownStore &store);
    /// Reads again the one folder that holds `notePath` (the note and the preserved copies
    /// written beside it). A path outside the walked tree changes nothing.
    void rescanFolderOf(const QString &notePath);

    /// Newest first; a day appears twice when two files name it.
    const QList<QDate> &dates() const { return m_dates; }
    /// Absolute paths, most recently modified first.
    QList<QString> preservedCopies() const;

    struct Copy {
        qint64 seconds;
        long nanoseconds;
        QString path;
        QByteArray folder;
    };

private:
    QByteArray m_journal; ///< encoded path of the walked "Journal" folder
    QHash<QByteArray, QList<QDate>> m_datesByFolder;
    QList<QDate> m_dates;
    std::vector<Copy> m_copies;
};

} // namespace wrenfold::core
