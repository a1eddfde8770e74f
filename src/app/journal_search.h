// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "app/day_activity.h"
#include "core/markdown_store.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>

namespace wrenfold::app {

/// Journal search over many years of notes, meant for a worker thread. Each note is kept
/// compressed (its text and its folded text in one block, which costs little more than the
/// text alone) together with a bit filter of the folded text's three-byte sequences, so
/// that a query decompresses only the notes that can hold it.
///
/// A kept note is used only while its file's identity, size, modification and change
/// times are exactly those seen when it was read, and it is kept only once the file has
/// stood still for a few seconds (so an edit within one time stamp tick cannot hide behind
/// an equal stamp). Once checked, a note is trusted until the watch on its folder reports
/// any change there; folders that cannot be watched (or network file systems, which do
/// not report other machines' writes) are checked on every query. What is kept can be
/// saved to a cache file and taken up by the next process; every note from it is checked
/// against its file before use, and a damaged or foreign file is ignored and rewritten.
class JournalSearch {
public:
    /// `cacheFile` empty: nothing is loaded or saved.
    explicit JournalSearch(core::MarkdownStore store, QString cacheFile = {});
    ~JournalSearch();
    JournalSearch(const JournalSearch &) = delete;
    JournalSearch &operator=(const JournalSearch &) = delete;

    const core::MarkdownStore &store() const { return m_store; }

    struct Hooks {
        /// Called now and then while notes are being read: (notes looked at, of total).
        std::function<void(qsizetype, qsizetype)> progress;
        /// Polled between notes; true abandons the query.
        std::function<bool()> cancelled;
        /// Given the results found so far (the start of the final list) once there are
        /// `firstPartial` of them, then each time their number doubles, so a list can show
        /// them while the other notes are looked at. Not called with the last note.
        std::function<void(const QList<JournalSearchResult> &)> partial;
        /// More rows than a list shows at once.
        qsizetype firstPartial = 100;
    };

    /// The same days, order and excerpts as `JournalIndex::journalResults`; nullopt when
    /// cancelled.
    std::optional<QList<JournalSearchResult>> results(const QList<QDate> &dates,
                                                      const QString &query, const Hooks &hooks);
    std::optional<QList<JournalSearchResult>> results(const QList<QDate> &dates,
                                                      const QString &query);

    /// Writes the kept notes to the cache file when they changed since the last save.
    /// False when that failed (search goes on without it).
    bool save();
    /// True when notes were read since the last save.
    bool hasUnsavedNotes() const { return m_unsaved; }

    /// The folder watch's descriptor (readable when something changed), or -1.
    int watchHandle() const { return m_watchFd; }

    /// Bytes held for the kept notes (texts, filters, excerpt lines); for benchmarks.
    qsizetype keptBytes() const;
    qsizetype keptNoteCount() const { return m_notes.size(); }
    /// How long a file must stand unchanged before its note is kept (3 s by default).
    void setSettleTime(std::chrono::nanoseconds settle) { m_settleNs = settle.count(); }

private:
    struct FileStamp {
        qint64 device = 0;
        qint64 inode = 0;
        qint64 size = 0;
        qint64 modifiedNs = 0;
        qint64 changedNs = 0;
        friend bool operator==(const FileStamp &, const FileStamp &) = default;
    };

    struct Note {
        FileStamp stamp; ///< inode 0: there is no file
        bool unreadable = false;
        bool verified = false; ///< checked against its file since its folder last changed
        quint32 textBytes = 0;
        quint32 foldedBytes = 0;
        QByteArray packed; ///< compressed UTF-8 text followed by its UTF-8 fold
        QByteArray filter; ///< bits of the folded text's three-byte sequences
        std::optional<QString> usefulLine;
        /// While `packed` is empty and `blobLength` is not: where it lies in the cache file,
        /// read only when a query needs the text.
        quint64 blobOffset = 0;
        quint32 blobLength = 0;
        quint64 blobSum = 0;
    };

    struct Day {
        QByteArray path;
        QByteArray folder;
        bool inFolderList = false;
    };

    struct WatchedFolder {
        QByteArray path;
        QList<QDate> days;
    };

    /// A kept note that was checked against its file, as a query over `m_planDates` finds
    /// it: where it lies and what its filter needs, in the order of the days.
    struct Planned {
        Note *note = nullptr; ///< null: the day is looked up (and maybe read) by `note`
        const quint8 *filter = nullptr;
        quint32 filterBytes = 0;
        quint32 foldedBytes = 0;
    };

    /// Makes `m_plan` fit `dates` and the kept notes as they are now.
    void planFor(const QList<QDate> &dates);
    Day &dayFor(const QDate &day);
    /// The day's note, checked or read now. The reference lives until the next call.
    Note &note(const QDate &day, bool *read);
    Note readNote(const QDate &date, const FileStamp &stamp) const;
    /// Watches `folder` when possible; true when changes there will be reported.
    bool watch(Day &day, const QDate &date);
    void takeChanges();
    void load();
    /// The note's compressed block, from the cache file if it is still there; empty when
    /// it cannot be read back intact.
    QByteArray packedOf(const Note &note) const;

    core::MarkdownStore m_store;
    QString m_cacheFile;
    bool m_loaded = false;
    bool m_unsaved = false;
    QByteArray m_cacheIndex; ///< the cache file's index part; filters point into it
    int m_cacheFd = -1;      ///< the cache file the blocks are read from
    QByteArray m_journal;    ///< encoded path of the notes' "Journal" folder
    QByteArray m_lastFolder;
    QByteArray m_openFolder;
    int m_openFolderFd = -1;
    QHash<QDate, Day> m_days;
    QHash<QDate, Note> m_notes;
    Note m_scratch;
    int m_watchFd = -1;
    QHash<QByteArray, int> m_watchByFolder;
    QHash<int, WatchedFolder> m_watched;
    qint64 m_settleNs = 3'000'000'000;
    /// Counts every change to `m_notes` that may move its notes in memory or makes one
    /// unchecked; a plan made at another count is stale.
    quint64 m_notesChanges = 0;
    quint64 m_planChanges = ~quint64(0);
    QList<QDate> m_planDates;
    QList<Planned> m_plan;
};

} // namespace wrenfold::app
