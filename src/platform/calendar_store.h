// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/result.h"
#include "platform/calendar_item.h"

#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimeZone>

#include <atomic>
#include <functional>
#include <memory>

class QSettings;

namespace wrenfold::platform {

class CalendarAccessPrompt;
struct EventSeries;

/// Where the desktop keeps calendars. Tests point these at temporary folders.
struct CalendarRoots {
    /// Folders whose subfolders are vdir collections (one .ics per event, optional
    /// "color" and "displayname" files), as vdirsyncer and khal keep them.
    QStringList vdirRoots;
    /// Folders whose subfolders each hold an Evolution "calendar.ics".
    QStringList evolutionRoots;

    /// "calendars" and "evolution/calendar" below the user's data folder
    /// (~/.local/share unless XDG_DATA_HOME says otherwise).
    static CalendarRoots standard();
};

/// One calendar found on disk.
struct CalendarSource {
    enum class Kind {
        /// A folder of .ics files (a vdir collection, or a folder the user added).
        folder,
        /// One .ics file (an Evolution calendar, or a file the user added).
        file,
    };
    Kind kind = Kind::folder;
    QString path;
    /// The "displayname" file, the folder or file name, or "Personal" for Evolution's
    /// built-in calendar.
    QString name;
    bool isReadable = false;
    bool isUserAdded = false;
    friend bool operator==(const CalendarSource &, const CalendarSource &) = default;
};

/// Parsed calendar files kept between queries; a file is read again only when its size,
/// modification or change time, inode or device changed. A value: copies share the parsed
/// files, which never change once made, so a copy may be handed to another thread and the
/// updated copy handed back.
class CalendarCache {
public:
    CalendarCache();
    ~CalendarCache();
    CalendarCache(const CalendarCache &);
    CalendarCache &operator=(const CalendarCache &);

    /// How many files were parsed into this cache and the copies it came from.
    int parseCount() const { return m_parseCount; }

    /// One parsed file; only the store looks inside.
    struct File;

private:
    friend class CalendarStore;
    QHash<QString, std::shared_ptr<const File>> m_files;
    int m_parseCount = 0;
};

/// The most events one query gives (a day in the agenda): the first ones in the query's
/// order. A fuller day (a rule of every second or every minute) is cut off there, and the
/// query says so. Within the cap nothing is left out.
inline constexpr qsizetype maxEventsPerQuery = 1000;

/// What a query needs from the store besides the files: taken on the main thread, where the
/// settings are read, so that the query itself can run on any thread.
struct CalendarQuery {
    CalendarRoots roots;
    QStringList addedSources;
    QColor accentColor;
};

/// Reads the user's calendars, read-only, and keeps the permission to do so in the
/// settings ("calendarAuthorization", 0-4) along with the sources the user added
/// ("calendarSources"). Parsed files are kept between queries (see CalendarCache). Main
/// thread only, except readEvents.
class CalendarStore {
public:
    /// `settings` must outlive the store. An invalid `accentColor` falls back to a
    /// default blue.
    explicit CalendarStore(QSettings &settings, CalendarRoots roots = CalendarRoots::standard(),
                           QColor accentColor = {});
    ~CalendarStore();
    CalendarStore(const CalendarStore &) = delete;
    CalendarStore &operator=(const CalendarStore &) = delete;

    /// Colour for events whose calendar has none; invalid falls back to the default.
    void setAccentColor(const QColor &color);
    QColor accentColor() const { return m_accentColor; }

    /// Every calendar found now, in the order: vdir collections, Evolution calendars,
    /// user-added paths (each root's entries sorted by path). Missing roots add nothing;
    /// a user-added path that no longer exists is listed as unreadable.
    QList<CalendarSource> sources() const;
    /// sources() for the given roots and added paths; safe on any thread.
    static QList<CalendarSource> findSources(const CalendarRoots &roots,
                                             const QStringList &addedSources);

    /// The .ics files and folders the user added, as remembered.
    QStringList addedSources() const;
    /// Remembers `paths` (made absolute, duplicates dropped); fails when the settings
    /// cannot be written.
    core::Status setAddedSources(const QStringList &paths);

    /// The remembered choice, except that with no readable source at all (and no earlier
    /// "Don't Allow") the answer is restricted. An unknown remembered value counts as not
    /// determined.
    CalendarAuthorization authorizationStatus() const;
    /// Remembers `status` (the calendar settings use this to turn access on or off);
    /// fails when the settings cannot be written.
    core::Status setAuthorization(CalendarAuthorization status);

    /// When the status is not determined (or write-only), asks `prompt` naming the readable
    /// sources and remembers "Allow" as full access and "Don't Allow" as denied; otherwise
    /// asks nothing. `done` runs exactly once, with an error only when the choice could not
    /// be remembered, and never after the store is gone. `prompt` must outlive the answer.
    void requestAccess(CalendarAccessPrompt &prompt, std::function<void(core::Status)> done);

    /// The roots, added sources and accent colour as they are now, for readEvents.
    CalendarQuery query() const;

    /// Every occurrence overlapping [start, end) from all readable sources of `query`, with
    /// times in `userZone` (which also places floating and all-day times), up to
    /// maxEventsPerQuery; `isCut`, when given, tells whether more were left out. Sorted:
    /// all-day first, then by start, end, title and id; the cap keeps the first. Ids are
    /// unique within the result. Malformed files and events are skipped; nothing here
    /// fails. Does not look at the permission. Reads only the disk and `cache` (which it
    /// brings up to date), so it may run on any thread. Once `cancelled` is set it stops
    /// before the next file and returns what it found so far.
    static QList<CalendarItem> readEvents(const CalendarQuery &query, CalendarCache &cache,
                                          const QDateTime &start, const QDateTime &end,
                                          const QTimeZone &userZone,
                                          const std::atomic<bool> *cancelled = nullptr,
                                          bool *isCut = nullptr);
    /// readEvents with this store's query and cache.
    QList<CalendarItem> events(const QDateTime &start, const QDateTime &end,
                               const QTimeZone &userZone, bool *isCut = nullptr);
    /// events() over the calendar day `day` in `userZone`; an invalid day gives nothing.
    QList<CalendarItem> eventsForDay(const QDate &day, const QTimeZone &userZone);

    /// How many files were parsed since the store was made (for tests and benchmarks of
    /// the cache).
    int parseCount() const { return m_cache.parseCount(); }

private:
    QSettings &m_settings;
    CalendarRoots m_roots;
    QColor m_accentColor;
    CalendarCache m_cache;
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};

} // namespace wrenfold::platform
