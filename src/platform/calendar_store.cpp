// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "platform/calendar_store.h"

#include "platform/calendar_access.h"
#include "platform/event_series.h"
#include "platform/ics_reader.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>

#include <sys/stat.h>

#include <algorithm>
#include <iterator>

using namespace Qt::StringLiterals;

namespace wrenfold::platform {

namespace {

const QString authorizationKey = u"calendarAuthorization"_s;
const QString addedSourcesKey = u"calendarSources"_s;
// A calendar file this large is not one a person keeps; reading it could exhaust memory.
constexpr qint64 maxCalendarFileSize = 256LL * 1024 * 1024;
constexpr qint64 maxSideFileSize = 4096;

QColor defaultAccentColor()
{
    return QColor(0x35, 0x84, 0xe4);
}

QString translate(const char *text)
{
    return QCoreApplication::translate("CalendarStore", text);
}

bool isIcsName(const QString &name)
{
    return !name.startsWith(u'.') && name.endsWith(u".ics"_s, Qt::CaseInsensitive);
}

QString readSideFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.read(maxSideFileSize)).section(u'\n', 0, 0).trimmed();
}

QStringList childFolders(const QString &path)
{
    QStringList folders;
    const QDir dir(path);
    for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        folders.append(dir.filePath(name));
    return folders;
}

QStringList icsFiles(const QString &folder)
{
    QStringList files;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
        if (isIcsName(name))
            files.append(dir.filePath(name));
    }
    return files;
}

bool isCollection(const QString &folder)
{
    const QDir dir(folder);
    if (dir.exists(u"color"_s) || dir.exists(u"displayname"_s))
        return true;
    // Stops at the first event file: collections hold thousands.
    for (QDirIterator it(folder, QDir::Files); it.hasNext();) {
        if (isIcsName(it.nextFileInfo().fileName()))
            return true;
    }
    return false;
}

bool isReadableFolder(const QString &path)
{
    const QFileInfo info(path);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

CalendarSource folderSource(const QString &path, bool isUserAdded)
{
    CalendarSource source;
    source.kind = CalendarSource::Kind::folder;
    source.path = QDir::cleanPath(path);
    source.name = readSideFile(QDir(path).filePath(u"displayname"_s));
    if (source.name.isEmpty())
        source.name = QFileInfo(source.path).fileName();
    source.isReadable = isReadableFolder(path);
    source.isUserAdded = isUserAdded;
    return source;
}

CalendarSource fileSource(const QString &path, const QString &name, bool isUserAdded)
{
    const QFileInfo info(path);
    CalendarSource source;
    source.kind = CalendarSource::Kind::file;
    source.path = QDir::cleanPath(path);
    source.name = name;
    source.isReadable = info.isFile() && info.isReadable();
    source.isUserAdded = isUserAdded;
    return source;
}

// A root's hidden entries (".vdirsyncer" status folders and the like) are no calendars.
bool isHidden(const QString &path)
{
    return QFileInfo(path).fileName().startsWith(u'.');
}

// vdirsyncer keeps collections either directly below the root or one level deeper, below
// a folder per account.
void appendVdirCollections(const QString &root, bool isUserAdded, QList<CalendarSource> &out)
{
    for (const QString &child : childFolders(root)) {
        if (isHidden(child))
            continue;
        if (isCollection(child)) {
            out.append(folderSource(child, isUserAdded));
            continue;
        }
        bool foundNested = false;
        for (const QString &nested : childFolders(child)) {
            if (!isHidden(nested) && isCollection(nested)) {
                out.append(folderSource(nested, isUserAdded));
                foundNested = true;
            }
        }
        // An empty collection is still a calendar the user has.
        if (!foundNested)
            out.append(folderSource(child, isUserAdded));
    }
}

} // namespace

namespace {

// What identifies one version of a file: a rewrite in place that restores the size and
// modification time still changes the change time.
struct FileStamp {
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    quint64 inode = 0;
    quint64 device = 0;
    friend bool operator==(const FileStamp &, const FileStamp &) = default;
};

FileStamp stampOf(const struct stat &status)
{
    return FileStamp{
        static_cast<qint64>(status.st_size),
        static_cast<qint64>(status.st_mtim.tv_sec) * 1000000000LL + status.st_mtim.tv_nsec,
        static_cast<qint64>(status.st_ctim.tv_sec) * 1000000000LL + status.st_ctim.tv_nsec,
        static_cast<quint64>(status.st_ino), static_cast<quint64>(status.st_dev)};
}

} // namespace

struct CalendarCache::File {
    FileStamp stamp;
    bool isCalendar = false;
    QColor color;
    QList<EventSeries> series;
};

namespace {

// The parsed file at `path`, from `cache` while its stamp is unchanged; null when it cannot
// be read. A file that changed while it was read is parsed but not kept, so the next query
// reads it again rather than trusting a torn copy.
std::shared_ptr<const CalendarCache::File>
loadFile(const QString &path, QHash<QString, std::shared_ptr<const CalendarCache::File>> &files,
         int &parseCount)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return nullptr;
    if (auto cached = files.constFind(path);
        cached != files.constEnd() && (*cached)->stamp == stampOf(status))
        return *cached;
    auto file = std::make_shared<CalendarCache::File>();
    file->stamp = stampOf(status);
    bool isSteady = true;
    if (status.st_size <= maxCalendarFileSize) {
        QFile input(path);
        if (!input.open(QIODevice::ReadOnly))
            return nullptr;
        struct stat opened {};
        if (::fstat(input.handle(), &opened) == 0)
            file->stamp = stampOf(opened);
        const QByteArray bytes = input.read(maxCalendarFileSize);
        struct stat after {};
        isSteady = ::fstat(input.handle(), &after) == 0 && stampOf(after) == file->stamp;
        ++parseCount;
        if (core::Result<IcsCalendar> calendar = readIcs(bytes)) {
            file->isCalendar = true;
            file->color = calendar->color;
            file->series = groupIntoSeries(calendar->events, path);
        }
    }
    if (isSteady)
        files.insert(path, file);
    else
        files.remove(path);
    return file;
}

bool agendaOrder(const CalendarItem &a, const CalendarItem &b)
{
    if (a.isAllDay != b.isAllDay)
        return a.isAllDay;
    if (a.start != b.start)
        return a.start < b.start;
    if (a.end != b.end)
        return a.end < b.end;
    if (const int byTitle = a.title.compare(b.title); byTitle != 0)
        return byTitle < 0;
    return a.id < b.id;
}

// Cuts a day of more than maxEventsPerQuery items (each series' ending at `seriesEnds`)
// down to the cap so that a runaway rule cannot hide the day's other events: the series
// with the fewest items keep them all, the fullest share what is left equally (one more
// each for the first of them while a remainder lasts), each keeping its earliest.
QList<CalendarItem> shareOut(QList<CalendarItem> &items, const QList<qsizetype> &seriesEnds)
{
    QList<qsizetype> sizes;
    for (qsizetype i = 0; i < seriesEnds.size(); ++i)
        sizes.append(seriesEnds.at(i) - (i == 0 ? 0 : seriesEnds.at(i - 1)));
    QList<qsizetype> ascending = sizes;
    std::sort(ascending.begin(), ascending.end());
    qsizetype remaining = maxEventsPerQuery;
    qsizetype share = 0;
    qsizetype extra = 0;
    for (qsizetype i = 0; i < ascending.size(); ++i) {
        const qsizetype left = ascending.size() - i;
        if (ascending.at(i) * left > remaining) {
            share = remaining / left;
            extra = remaining % left;
            break;
        }
        remaining -= ascending.at(i);
    }
    QList<CalendarItem> kept;
    kept.reserve(maxEventsPerQuery);
    for (qsizetype i = 0; i < seriesEnds.size(); ++i) {
        const auto first = items.begin() + (seriesEnds.at(i) - sizes.at(i));
        const auto last = items.begin() + seriesEnds.at(i);
        qsizetype keep = sizes.at(i);
        if (keep > share) {
            keep = share + (extra > 0 ? 1 : 0);
            extra = qMax<qsizetype>(0, extra - 1);
            std::stable_sort(first, last, agendaOrder);
        }
        std::move(first, first + keep, std::back_inserter(kept));
    }
    return kept;
}

} // namespace

CalendarCache::CalendarCache() = default;
CalendarCache::~CalendarCache() = default;
CalendarCache::CalendarCache(const CalendarCache &) = default;
CalendarCache &CalendarCache::operator=(const CalendarCache &) = default;

CalendarRoots CalendarRoots::standard()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return CalendarRoots{{data + u"/calendars"_s}, {data + u"/evolution/calendar"_s}};
}

CalendarStore::CalendarStore(QSettings &settings, CalendarRoots roots, QColor accentColor)
    : m_settings(settings), m_roots(std::move(roots))
{
    setAccentColor(accentColor);
}

CalendarStore::~CalendarStore() = default;

void CalendarStore::setAccentColor(const QColor &color)
{
    m_accentColor = color.isValid() ? color : defaultAccentColor();
}

QList<CalendarSource> CalendarStore::sources() const
{
    return findSources(m_roots, addedSources());
}

QList<CalendarSource> CalendarStore::findSources(const CalendarRoots &roots,
                                                 const QStringList &addedSources)
{
    QList<CalendarSource> found;
    for (const QString &root : roots.vdirRoots)
        appendVdirCollections(root, false, found);
    for (const QString &root : roots.evolutionRoots) {
        for (const QString &child : childFolders(root)) {
            const QString file = QDir(child).filePath(u"calendar.ics"_s);
            if (!QFileInfo::exists(file))
                continue;
            const QString folderName = QFileInfo(child).fileName();
            // Evolution's own calendar lives in "system" and is shown as "Personal".
            const QString name = folderName == u"system"_s ? translate("Personal") : folderName;
            found.append(fileSource(file, name, false));
        }
    }
    for (const QString &path : addedSources) {
        const QFileInfo info(path);
        if (info.isDir()) {
            if (isCollection(path)) {
                found.append(folderSource(path, true));
            } else {
                const qsizetype before = found.size();
                appendVdirCollections(path, true, found);
                if (found.size() == before)
                    found.append(folderSource(path, true));
            }
        } else {
            found.append(fileSource(path, info.completeBaseName(), true));
        }
    }
    // The same calendar reached twice (an added folder that is also below a root) counts
    // once.
    QSet<QString> seen;
    QList<CalendarSource> unique;
    for (const CalendarSource &source : std::as_const(found)) {
        const QString canonical = QFileInfo(source.path).canonicalFilePath();
        const QString identity = canonical.isEmpty() ? source.path : canonical;
        if (!seen.contains(identity)) {
            seen.insert(identity);
            unique.append(source);
        }
    }
    return unique;
}

QStringList CalendarStore::addedSources() const
{
    return m_settings.value(addedSourcesKey).toStringList();
}

core::Status CalendarStore::setAddedSources(const QStringList &paths)
{
    QStringList cleaned;
    for (const QString &path : paths) {
        if (path.trimmed().isEmpty())
            continue;
        const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
        if (!cleaned.contains(absolute))
            cleaned.append(absolute);
    }
    m_settings.setValue(addedSourcesKey, cleaned);
    m_settings.sync();
    if (m_settings.status() != QSettings::NoError)
        return core::Error{translate("Could not save the calendar sources.")};
    return std::nullopt;
}

CalendarAuthorization CalendarStore::authorizationStatus() const
{
    bool ok = false;
    int stored = m_settings.value(authorizationKey, 0).toInt(&ok);
    // Restricted is never a choice; it follows from what is on disk.
    if (!ok || stored < 0 || stored > 4 || stored == 1)
        stored = 0;
    const auto remembered = static_cast<CalendarAuthorization>(stored);
    if (remembered == CalendarAuthorization::denied)
        return remembered;
    const QList<CalendarSource> found = sources();
    const bool anyReadable = std::any_of(found.cbegin(), found.cend(),
                                         [](const CalendarSource &s) { return s.isReadable; });
    return anyReadable ? remembered : CalendarAuthorization::restricted;
}

core::Status CalendarStore::setAuthorization(CalendarAuthorization status)
{
    m_settings.setValue(authorizationKey, static_cast<int>(status));
    m_settings.sync();
    if (m_settings.status() != QSettings::NoError)
        return core::Error{translate("Could not save the calendar permission.")};
    return std::nullopt;
}

void CalendarStore::requestAccess(CalendarAccessPrompt &prompt,
                                  std::function<void(core::Status)> done)
{
    const CalendarAuthorization status = authorizationStatus();
    if (status != CalendarAuthorization::notDetermined &&
        status != CalendarAuthorization::writeOnly) {
        done(std::nullopt);
        return;
    }
    QStringList names;
    for (const CalendarSource &source : sources()) {
        if (source.isReadable)
            names.append(source.name);
    }
    std::weak_ptr<int> alive = m_alive;
    auto answered = std::make_shared<bool>(false);
    prompt.askForCalendarAccess(
        names, [this, alive, answered, done = std::move(done)](CalendarAccessAnswer answer) {
            if (*answered || alive.expired())
                return;
            *answered = true;
            done(setAuthorization(answer == CalendarAccessAnswer::allow
                                      ? CalendarAuthorization::fullAccess
                                      : CalendarAuthorization::denied));
        });
}

CalendarQuery CalendarStore::query() const
{
    return CalendarQuery{m_roots, addedSources(), m_accentColor};
}

QList<CalendarItem> CalendarStore::events(const QDateTime &start, const QDateTime &end,
                                          const QTimeZone &userZone, bool *isCut)
{
    return readEvents(query(), m_cache, start, end, userZone, nullptr, isCut);
}

QList<CalendarItem> CalendarStore::readEvents(const CalendarQuery &query, CalendarCache &cache,
                                              const QDateTime &start, const QDateTime &end,
                                              const QTimeZone &userZone,
                                              const std::atomic<bool> *cancelled, bool *isCut)
{
    if (isCut)
        *isCut = false;
    QList<CalendarItem> items;
    if (!start.isValid() || !end.isValid() || !(start < end))
        return items;
    const QColor accentColor =
        query.accentColor.isValid() ? query.accentColor : defaultAccentColor();
    QSet<QString> visited;
    QList<EventOccurrence> occurrences;
    // Where each series' items end in `items`.
    QList<qsizetype> seriesEnds;
    DayStarts dayStarts(userZone);
    bool isComplete = true;
    for (const CalendarSource &source : findSources(query.roots, query.addedSources)) {
        if (!source.isReadable)
            continue;
        QColor sourceColor;
        QStringList files{source.path};
        if (source.kind == CalendarSource::Kind::folder) {
            sourceColor = parseCalendarColor(readSideFile(QDir(source.path).filePath(u"color"_s)));
            files = icsFiles(source.path);
        }
        for (const QString &path : std::as_const(files)) {
            if (cancelled && cancelled->load(std::memory_order_relaxed)) {
                isComplete = false;
                break;
            }
            visited.insert(path);
            const auto file = loadFile(path, cache.m_files, cache.m_parseCount);
            if (!file || !file->isCalendar)
                continue;
            const QColor color = sourceColor.isValid()   ? sourceColor
                                 : file->color.isValid() ? file->color
                                                         : accentColor;
            for (const EventSeries &series : file->series) {
                occurrences.clear();
                // One more than the cap, so a series cut off shows as a cut.
                series.appendOccurrences(start, end, userZone, occurrences, maxEventsPerQuery + 1,
                                         dayStarts);
                if (occurrences.isEmpty())
                    continue;
                for (const EventOccurrence &occurrence : std::as_const(occurrences)) {
                    items.append(CalendarItem{occurrence.id, occurrence.title, occurrence.start,
                                              occurrence.end, occurrence.isAllDay, color});
                }
                seriesEnds.append(items.size());
            }
        }
    }
    // Forget files that are gone, so the cache follows the disk.
    for (auto it = cache.m_files.begin(); isComplete && it != cache.m_files.end();) {
        if (visited.contains(it.key()))
            ++it;
        else
            it = cache.m_files.erase(it);
    }
    if (items.size() > maxEventsPerQuery) {
        items = shareOut(items, seriesEnds);
        if (isCut)
            *isCut = true;
    }
    // Stable, so events alike in every field keep the order of their calendars.
    std::stable_sort(items.begin(), items.end(), agendaOrder);
    // The same event kept in two calendars would otherwise share an id.
    QHash<QString, int> uses;
    for (CalendarItem &item : items) {
        const int used = uses.value(item.id);
        uses.insert(item.id, used + 1);
        if (used > 0)
            item.id += u'#' + QString::number(used + 1);
    }
    return items;
}

QList<CalendarItem> CalendarStore::eventsForDay(const QDate &day, const QTimeZone &userZone)
{
    if (!day.isValid() || !userZone.isValid())
        return {};
    return events(day.startOfDay(userZone), day.addDays(1).startOfDay(userZone), userZone);
}

} // namespace wrenfold::platform
