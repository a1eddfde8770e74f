// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/calendar.h"
#include "core/file_io.h"
#include "core/journal.h"
#include "core/result.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

namespace wrenfold::core {

/// The notes folder on disk. Holds only its root and calendar; every call goes to the
/// file system afresh. Layout below `root`:
///   Journal/YYYY/MM/YYYY-MM-DD.md, Habits/..., Perspectives/... and flows.json.
/// A day file is written to ".YYYY-MM-DD.md.tmp" beside it, synced, then renamed over
/// the target, so a crash leaves the old or the new text, never a mixture. A day file
/// that is a symbolic link is written through: the file it points to is replaced.
class MarkdownStore {
public:
    /// A store without a folder: every load and save fails, the listings are empty.
    MarkdownStore() = default;
    /// `root` is made absolute and clean; it need not exist yet.
    MarkdownStore(QString root, Calendar calendar);

    const QString &root() const { return m_root; }

    /// Whether a save may create a missing root folder (it may by default). When it may
    /// not, a vanished notes folder (an unmounted disk, a removed folder) is reported
    /// instead of being made anew, so no text hides under a mount point; the folders
    /// below the root are still created as needed.
    void setCreatesRoot(bool creates) { m_createsRoot = creates; }
    /// The error every save gives while the root is missing and may not be created.
    Status checkRoot() const;
    const Calendar &calendar() const { return m_calendar; }

    /// Absolute paths of the day's files; the day is `date` in the store's time zone. An
    /// invalid `date` gives the day 0000-00-00.
    QString noteURL(const QDateTime &date) const;
    QString habitsURL(const QDateTime &date) const;
    QString perspectivesURL(const QDateTime &date) const;
    QString flowsURL() const;

    /// The note of that day, with `date` unchanged; empty body when there is no file.
    /// Invalid UTF-8 or an unreadable file is an error. Creates nothing.
    Result<DailyNote> loadNote(const QDateTime &date) const;
    /// Creates the year and month folders when missing; an empty body leaves an empty
    /// file. An invalid date is refused, so no text lands in a file no listing shows.
    Status saveNote(const DailyNote &note) const;
    Result<QString> loadHabits(const QDateTime &date) const;
    Status saveHabits(const QString &text, const QDateTime &date) const;
    Result<QString> loadPerspectives(const QDateTime &date) const;
    Status savePerspectives(const QString &text, const QDateTime &date) const;

    /// As the saves above, but the day file is swapped with the new one in one step and
    /// what it held then is compared with `expected`: another program's version saved in
    /// the meantime is kept as a preserved copy beside the file, named in the outcome.
    Result<SaveOutcome> saveNote(const DailyNote &note, const ExpectedFile &expected) const;
    Result<SaveOutcome> saveHabits(const QString &text, const QDateTime &date,
                                   const ExpectedFile &expected) const;
    Result<SaveOutcome> savePerspectives(const QString &text, const QDateTime &date,
                                         const ExpectedFile &expected) const;

    /// Empty list when there is no flows file; a malformed file is an error and stays
    /// untouched.
    Result<QList<FlowItem>> loadFlows() const;
    /// Creates `root` when missing.
    Status saveFlows(const QList<FlowItem> &flows) const;

    /// Every "yyyy-MM-dd.md" below Journal (any depth, hidden entries skipped), newest
    /// first, not made unique. Never fails: a missing or unreadable folder gives nothing.
    QList<QDate> datesWithNotes() const;
    /// Every "*.local-*.md" below Journal, most recently modified first (nanoseconds
    /// count); a copy whose time cannot be read comes last. Never fails.
    QList<QString> preservedCopyURLs() const;

    /// Removes the transient files that saves of this application leave when they are cut
    /// short: ".<day file>.tmp" and ".<preserved copy>.tmp" (also with the random part
    /// that earlier versions added before ".tmp") in the year and month folders of the day
    /// folders, the same for the copies in "Migration Backups", and ".flows.json.tmp".
    /// Only files not written for `minimumAgeSeconds` and not locked by a save in progress
    /// go; nothing else is ever removed. Returns how many went; never fails.
    int removeStaleTransientFiles(qint64 minimumAgeSeconds = 600) const;

private:
    QString dailyURL(const QString &folder, const QDateTime &date) const;
    Result<QString> loadDaily(const QString &folder, const QDateTime &date) const;
    Status save(const QString &text, const QString &path) const;
    Result<SaveOutcome> save(const QString &text, const QString &path,
                             const ExpectedFile &expected) const;

    QString m_root;
    Calendar m_calendar;
    bool m_createsRoot = true;
};

/// Reads a whole text file strictly as UTF-8 (a BOM is kept as U+FEFF). A missing file,
/// a folder, a pipe, a file over 512 MiB or an invalid byte is an error naming the file.
Result<QString> readUtf8File(const QString &path);

} // namespace wrenfold::core
