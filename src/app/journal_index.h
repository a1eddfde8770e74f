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
#include <QUuid>

#include <chrono>
#include <optional>

namespace wrenfold::app {

/// Read-only queries over the day files: journal search and day activity. Every call
/// looks at the files again; the texts it keeps between calls are reused only while the
/// file's identity, size, modification and change times are exactly those seen when the
/// text was read, and only once the file has stood still for a few seconds (so an edit
/// within the file system's time resolution can never hide behind an equal time stamp).
/// Reads go through the store, so its rules (missing file = empty text, invalid UTF-8 =
/// error) hold unchanged.
class JournalIndex {
public:
    explicit JournalIndex(core::MarkdownStore store = {});

    /// Points the index at another notes folder; forgets everything kept so far.
    void setStore(core::MarkdownStore store);
    const core::MarkdownStore &store() const { return m_store; }

    /// Days of `dates` (in that order, each day once) whose note contains `query`,
    /// ignoring case and diacritics; the excerpt is the trimmed line of the first match.
    /// A query that is empty after trimming lists every readable day with its first
    /// useful line. Unreadable notes give no result; a query that folds to nothing (only
    /// combining marks) finds nothing.
    QList<JournalSearchResult> journalResults(const QList<QDate> &dates, const QString &query);

    /// The day's summary. A note that cannot be read as text gives all zeros, even when
    /// the habits file has checked lines; an unreadable habits file counts as empty.
    DayActivity activity(const QDate &day);

    /// One flow on one day. An unreadable note or habits file counts as empty.
    FlowDayActivity activity(const QUuid &flow, const QDate &day);

    /// Texts currently kept; for tests and benchmarks.
    qsizetype keptFileCount() const { return m_notes.size() + m_habits.size(); }
    /// How long a file must stand unchanged before its text is kept (3 s by default).
    /// Tests pass a negative time to keep even files written a moment ago.
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

    struct KeptFile {
        FileStamp stamp;
        QString text;                     ///< empty when there is no file
        std::optional<core::Error> error; ///< set when the store could not read it
        QByteArray folded;                ///< foldForSearch(text) in UTF-8, made on first search
        bool hasFolded = false;
        std::optional<QString> usefulLine; ///< usefulLineIn(text), made on first listing
        bool hasUsefulLine = false;
    };

    struct DayPaths {
        QDateTime instant;
        QByteArray note;          ///< encoded for the file system
        QByteArray habits;        ///< encoded for the file system
        qsizetype noteSlash = -1; ///< where the file name starts, less one
        qsizetype habitsSlash = -1;
    };

    enum class Kind { note, habits };
    class OpenFolders;

    const DayPaths &pathsFor(const QDate &day);
    /// The file's text, kept or freshly read. The reference lives until the next call.
    /// `folders` lets a call over many days look each file up by name in its folder.
    KeptFile &file(Kind kind, const QDate &day, OpenFolders *folders = nullptr);
    core::Result<QString> read(Kind kind, const QDateTime &instant) const;

    core::MarkdownStore m_store;
    QHash<QDate, DayPaths> m_paths;
    QHash<QDate, KeptFile> m_notes;
    QHash<QDate, KeptFile> m_habits;
    KeptFile m_scratch; ///< a file read for this call only
    qint64 m_settleNs = 3'000'000'000;
};

} // namespace wrenfold::app
