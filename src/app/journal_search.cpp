// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "app/journal_search.h"

#include "app/search_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <cstdio>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <type_traits>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace wrenfold::app {

namespace {

constexpr quint32 cacheMagic = 0x57464a53; // "WFJS"
constexpr quint32 cacheVersion = 2;
constexpr qsizetype progressAfterReads = 64;

qint64 nanoseconds(const timespec &time)
{
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

qint64 nowNs()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return nanoseconds(now);
}

quint32 sequenceHash(const char *bytes)
{
    const quint32 value = quint32(quint8(bytes[0])) | quint32(quint8(bytes[1])) << 8 |
                          quint32(quint8(bytes[2])) << 16;
    return value * 0x9E3779B1u;
}

// About one bit per byte of text: a 2 KB note gets 256 bytes, about 45% of bits set, so a
// word of eight letters (six sequences) lets through about one note in a hundred.
QByteArray filterFor(QByteArrayView folded)
{
    if (folded.size() < 3)
        return {};
    qsizetype bits = 512;
    while (bits < folded.size() && bits < (qsizetype(1) << 17))
        bits <<= 1;
    QByteArray filter(bits / 8, '\0');
    const int shift = 32 - std::countr_zero(quint64(bits));
    for (qsizetype i = 0; i + 3 <= folded.size(); ++i) {
        const quint32 bit = sequenceHash(folded.data() + i) >> shift;
        filter[bit >> 3] = char(filter[bit >> 3] | (1 << (bit & 7)));
    }
    return filter;
}

// The length of the line separator (LF, CR, U+0085, U+2028, U+2029) that starts at `at`
// in UTF-8, or 0.
int separatorAt(const char *at, const char *end)
{
    const auto c = quint8(*at);
    if (c > '\r' && c != 0xC2 && c != 0xE2)
        return 0;
    if (c == '\n' || c == '\r')
        return 1;
    if (c == 0xC2)
        return end - at >= 2 && quint8(at[1]) == 0x85 ? 2 : 0;
    if (c == 0xE2)
        return end - at >= 3 && quint8(at[1]) == 0x80 &&
                       (quint8(at[2]) == 0xA8 || quint8(at[2]) == 0xA9)
                   ? 3
                   : 0;
    return 0;
}

qsizetype separatorsIn(const char *from, const char *to)
{
    qsizetype count = 0;
    while (from < to) {
        const int length = separatorAt(from, to);
        count += length > 0 ? 1 : 0;
        from += std::max(length, 1);
    }
    return count;
}

// excerptForMatch over the UTF-8 forms: the match is [byteAt, byteAt + byteLength) of
// `folded`. Only the excerpt's line is turned into a string, which makes a word found in
// every note several times cheaper than converting each whole note.
QString excerptForByteMatch(QByteArrayView text, QByteArrayView folded, qsizetype byteAt,
                            qsizetype byteLength)
{
    const char *foldedAt = folded.data() + byteAt;
    const qsizetype firstLine = separatorsIn(folded.data(), foldedAt);
    const qsizetype lastLine = firstLine + separatorsIn(foldedAt, foldedAt + byteLength);

    const char *const start = text.data();
    const char *const end = start + text.size();
    const char *begin = start;
    const char *at = start;
    qsizetype line = 0;
    while (at < end) {
        const int length = separatorAt(at, end);
        if (length == 0) {
            ++at;
            continue;
        }
        if (line == lastLine)
            break;
        ++line;
        at += length;
        if (line == firstLine)
            begin = at;
    }
    if (firstLine > line)
        return {};
    return QString::fromUtf8(begin, at - begin).trimmed();
}

int filterShift(quint32 filterBytes)
{
    return 32 - std::countr_zero(quint64(filterBytes) * 8);
}

bool filterMayHold(const quint8 *bytes, quint32 filterBytes, const QList<quint32> &hashes)
{
    if (filterBytes == 0)
        return false;
    const int shift = filterShift(filterBytes);
    for (quint32 hash : hashes) {
        const quint32 bit = hash >> shift;
        if (!(bytes[bit >> 3] & (1 << (bit & 7))))
            return false;
    }
    return true;
}

// Folders on these file systems do not report writes made by other machines.
bool reportsAllChanges(const QString &root)
{
    struct statfs info {};
    if (::statfs(QFile::encodeName(root).constData(), &info) != 0)
        return false;
    switch (quint32(info.f_type)) {
    case 0x6969u:     // NFS
    case 0xFF534D42u: // CIFS
    case 0xFE534D42u: // SMB2
    case 0x517Bu:     // SMB
    case 0x65735546u: // FUSE
    case 0x01021997u: // 9P
    case 0x00C36400u: // Ceph
        return false;
    default:
        return true;
    }
}

// Four independent lanes, so the multiplications overlap: the index part of a hundred
// years' cache file is checked in a few milliseconds.
quint64 checksum(QByteArrayView bytes)
{
    quint64 lanes[4] = {0xcbf29ce484222325ull ^ quint64(bytes.size()), 0x9E3779B97F4A7C15ull,
                        0xC2B2AE3D27D4EB4Full, 0x165667B19E3779F9ull};
    qsizetype i = 0;
    for (; i + 32 <= bytes.size(); i += 32) {
        for (int lane = 0; lane < 4; ++lane) {
            quint64 word;
            std::memcpy(&word, bytes.data() + i + lane * 8, 8);
            lanes[lane] = (lanes[lane] ^ word) * 0x100000001b3ull;
            lanes[lane] ^= lanes[lane] >> 29;
        }
    }
    quint64 hash = lanes[0];
    for (int lane = 1; lane < 4; ++lane)
        hash = (hash ^ lanes[lane]) * 0x100000001b3ull ^ (hash >> 31);
    for (; i < bytes.size(); ++i)
        hash = (hash ^ quint8(bytes[i])) * 0x100000001b3ull;
    return hash ^ (hash >> 33);
}

// The cache file: a header, the index (one record per note, then the filters and the
// excerpt lines the records point at) with its checksum, then each note's compressed
// block. The index is read whole; a block only when a query needs that note's text, and
// it carries a checksum of its own.
struct CacheHeader {
    quint32 magic;
    quint32 version;
    quint32 count;
    quint32 rootBytes;
    quint64 indexBytes; ///< header included, checksum not
    quint64 fileBytes;
};

struct CacheRecord {
    qint64 julianDay;
    qint64 device;
    qint64 inode;
    qint64 size;
    qint64 modifiedNs;
    qint64 changedNs;
    quint64 blobOffset;
    quint64 blobSum;
    quint32 blobLength;
    quint32 textBytes;
    quint32 foldedBytes;
    quint32 filterOffset;
    quint32 filterLength;
    quint32 lineOffset;
    quint32 lineLength;
    quint32 flags;
};
static_assert(std::is_trivially_copyable_v<CacheHeader> &&
              std::is_trivially_copyable_v<CacheRecord>);

bool readFully(int fd, char *into, qint64 length, qint64 offset)
{
    while (length > 0) {
        const ssize_t got = ::pread(fd, into, size_t(length), off_t(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        into += got;
        length -= got;
        offset += got;
    }
    return true;
}

} // namespace

JournalSearch::JournalSearch(core::MarkdownStore store, QString cacheFile)
    : m_store(std::move(store)), m_cacheFile(std::move(cacheFile))
{
    if (!m_store.root().isEmpty() && reportsAllChanges(m_store.root()))
        m_watchFd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
}

JournalSearch::~JournalSearch()
{
    if (m_watchFd >= 0)
        ::close(m_watchFd);
    if (m_cacheFd >= 0)
        ::close(m_cacheFd);
    if (m_openFolderFd >= 0)
        ::close(m_openFolderFd);
}

JournalSearch::Day &JournalSearch::dayFor(const QDate &date)
{
    auto found = m_days.find(date);
    if (found != m_days.end())
        return *found;
    Day day;
    if (m_journal.isEmpty())
        m_journal = QFile::encodeName(QDir(m_store.root()).filePath(u"Journal"_s));
    // The store's own layout, "Journal/yyyy/MM/yyyy-MM-dd.md", made without going through
    // the time zone: a hundred years of days are looked up on the first search.
    if (date.isValid() && date.year() > 0 && date.year() <= 9999 && !m_store.root().isEmpty()) {
        char name[40];
        const int length =
            std::snprintf(name, sizeof name, "/%04d/%02d/%04d-%02d-%02d.md", date.year(),
                          date.month(), date.year(), date.month(), date.day());
        day.path = m_journal + QByteArrayView(name, length);
    } else {
        day.path = QFile::encodeName(m_store.noteURL(m_store.calendar().startOfDay(date)));
    }
    const QByteArrayView folder(day.path.constData(), day.path.lastIndexOf('/'));
    // Days of one month share their folder's name.
    if (folder != QByteArrayView(m_lastFolder))
        m_lastFolder = folder.toByteArray();
    day.folder = m_lastFolder;
    return *m_days.insert(date, day);
}

bool JournalSearch::watch(Day &day, const QDate &date)
{
    if (m_watchFd < 0 || day.folder.isEmpty())
        return false;
    int wd = m_watchByFolder.value(day.folder, -1);
    if (wd < 0) {
        wd = ::inotify_add_watch(m_watchFd, day.folder.constData(),
                                 IN_CREATE | IN_DELETE | IN_MODIFY | IN_CLOSE_WRITE |
                                     IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB | IN_DELETE_SELF |
                                     IN_MOVE_SELF | IN_ONLYDIR);
        // No folder yet, or no watches left: the day is checked on every query.
        if (wd < 0)
            return false;
        m_watchByFolder.insert(day.folder, wd);
        m_watched[wd].path = day.folder;
    }
    if (!day.inFolderList) {
        m_watched[wd].days.append(date);
        day.inFolderList = true;
    }
    return true;
}

void JournalSearch::takeChanges()
{
    if (m_watchFd < 0)
        return;
    alignas(inotify_event) char buffer[16384];
    for (;;) {
        const ssize_t length = ::read(m_watchFd, buffer, sizeof buffer);
        if (length <= 0)
            return;
        for (const char *at = buffer; at < buffer + length;) {
            const auto *event = reinterpret_cast<const inotify_event *>(at);
            at += sizeof(inotify_event) + event->len;
            if (event->mask & IN_Q_OVERFLOW) {
                for (Note &note : m_notes)
                    note.verified = false;
                ++m_notesChanges;
                continue;
            }
            auto folder = m_watched.find(event->wd);
            if (folder == m_watched.end())
                continue;
            for (const QDate &date : std::as_const(folder->days)) {
                auto note = m_notes.find(date);
                if (note != m_notes.end())
                    note->verified = false;
            }
            ++m_notesChanges;
            if (event->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) {
                for (const QDate &date : std::as_const(folder->days))
                    m_days[date].inFolderList = false;
                m_watchByFolder.remove(folder->path);
                if (!(event->mask & IN_IGNORED))
                    ::inotify_rm_watch(m_watchFd, event->wd);
                m_watched.erase(folder);
            }
        }
    }
}

JournalSearch::Note JournalSearch::readNote(const QDate &date, const FileStamp &stamp) const
{
    Note note;
    note.stamp = stamp;
    core::Result<core::DailyNote> loaded = m_store.loadNote(m_store.calendar().startOfDay(date));
    if (!loaded) {
        note.unreadable = true;
        return note;
    }
    const QString &text = loaded->body;
    note.usefulLine = usefulLineIn(text);
    QByteArray bytes = text.toUtf8();
    const QByteArray folded = foldForSearch(text).toUtf8();
    note.textBytes = quint32(bytes.size());
    note.foldedBytes = quint32(folded.size());
    note.filter = filterFor(folded);
    bytes.append(folded);
    // The fold repeats most of the text, which the compressor finds within its window.
    note.packed = qCompress(bytes, 1);
    note.packed.squeeze();
    return note;
}

JournalSearch::Note &JournalSearch::note(const QDate &date, bool *read)
{
    auto found = m_notes.find(date);
    if (found != m_notes.end() && found->verified)
        return *found;
    Day &day = dayFor(date);
    if (m_store.root().isEmpty()) {
        *read = true;
        m_scratch = readNote(date, {});
        return m_scratch;
    }
    // Watch before looking: a change after this point is reported to the next query.
    const bool watched = watch(day, date);
    // Looked up from its month folder, opened once for the days in a row that share it:
    // the whole path is walked once a month instead of once a day.
    if (day.folder != m_openFolder) {
        if (m_openFolderFd >= 0)
            ::close(m_openFolderFd);
        m_openFolder = day.folder;
        m_openFolderFd =
            ::open(day.folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_PATH);
    }
    struct stat info {};
    FileStamp stamp;
    const int looked =
        m_openFolderFd >= 0
            ? ::fstatat(m_openFolderFd, day.path.constData() + day.folder.size() + 1, &info, 0)
            : ::stat(day.path.constData(), &info);
    if (looked == 0) {
        stamp = {qint64(info.st_dev), qint64(info.st_ino), qint64(info.st_size),
                 nanoseconds(info.st_mtim), nanoseconds(info.st_ctim)};
    } else if (errno == ENOENT || errno == ENOTDIR) {
        // No file reads as the empty text.
        Note absent;
        absent.verified = watched;
        ++m_notesChanges;
        return *m_notes.insert(date, absent);
    }
    // Any other failure leaves a zero stamp, which is never kept: the store reports it.

    if (found != m_notes.end() && stamp.inode != 0 && found->stamp == stamp) {
        found->verified = watched;
        return *found;
    }

    *read = true;
    Note fresh = readNote(date, stamp);
    // A note is kept only once its file has stood still for a while: file systems store
    // times in ticks, so a rewrite of equal size within one tick keeps an equal stamp.
    const qint64 settledBefore = nowNs() - m_settleNs;
    if (stamp.inode == 0 || stamp.modifiedNs >= settledBefore || stamp.changedNs >= settledBefore) {
        m_notes.remove(date);
        ++m_notesChanges;
        m_scratch = std::move(fresh);
        return m_scratch;
    }
    fresh.verified = watched;
    m_unsaved = true;
    ++m_notesChanges;
    return *m_notes.insert(date, std::move(fresh));
}

std::optional<QList<JournalSearchResult>> JournalSearch::results(const QList<QDate> &dates,
                                                                 const QString &query)
{
    return results(dates, query, Hooks{});
}

std::optional<QList<JournalSearchResult>>
JournalSearch::results(const QList<QDate> &dates, const QString &query, const Hooks &hooks)
{
    if (!m_loaded)
        load();
    takeChanges();
    // A folder held open from an earlier query may have been replaced since.
    if (m_openFolderFd >= 0)
        ::close(m_openFolderFd);
    m_openFolderFd = -1;
    m_openFolder.clear();

    const QString trimmed = query.trimmed();
    const QString needle = foldForSearch(trimmed);
    const QByteArray needleUtf8 = needle.toUtf8();
    QList<quint32> hashes;
    for (qsizetype i = 0; i + 3 <= needleUtf8.size(); ++i)
        hashes.append(sequenceHash(needleUtf8.constData() + i));
    const QString emptyNote = firstUsefulLineOf(QString());

    QList<JournalSearchResult> results;
    // The model's list is sorted, so a day listed twice comes twice in a row; any other
    // list is checked against every day seen.
    const bool sorted = std::is_sorted(dates.cbegin(), dates.cend(), std::greater<>());
    QSet<QDate> seen;
    if (!sorted)
        seen.reserve(dates.size());
    qsizetype reads = 0;
    qsizetype nextPartial = std::max<qsizetype>(hooks.firstPartial, 1);
    // False when the query was abandoned meanwhile.
    const auto shareSoFar = [&](qsizetype i) {
        if (results.size() != nextPartial || i + 1 >= dates.size() || !hooks.partial)
            return true;
        hooks.partial(results);
        nextPartial *= 2;
        return !(hooks.cancelled && hooks.cancelled());
    };
    QDate retried;
    planFor(dates);
    bool planned = !m_plan.isEmpty();
    const quint32 firstHash = hashes.isEmpty() ? 0 : hashes.first();
    for (qsizetype i = 0; i < dates.size(); ++i) {
        // The filter bytes a few notes ahead are fetched while this one is looked at:
        // the notes lie all over memory, and waiting for each in turn was most of the
        // time of a query that few notes can hold.
        constexpr qsizetype ahead = 8;
        if (planned && i + ahead < dates.size()) {
            const Planned &next = m_plan.at(i + ahead);
            if (next.filterBytes != 0)
                __builtin_prefetch(next.filter +
                                   ((firstHash >> filterShift(next.filterBytes)) >> 3));
            else if (next.note)
                __builtin_prefetch(next.note);
        }
        if ((i & 63) == 0) {
            if (hooks.cancelled && hooks.cancelled())
                return std::nullopt;
            if (reads >= progressAfterReads && hooks.progress)
                hooks.progress(i, dates.size());
        }
        const QDate &day = dates.at(i);
        if (sorted ? i > 0 && dates.at(i - 1) == day : seen.contains(day))
            continue;
        if (!sorted)
            seen.insert(day);

        const Planned *plan = planned && m_plan.at(i).note ? &m_plan.at(i) : nullptr;
        // Most notes are ruled out by their filter alone.
        if (plan && !trimmed.isEmpty() &&
            (needle.isEmpty() || plan->foldedBytes < quint32(needleUtf8.size()) ||
             (!hashes.isEmpty() && !filterMayHold(plan->filter, plan->filterBytes, hashes))))
            continue;
        bool read = false;
        const quint64 changesBefore = m_notesChanges;
        Note &note = plan ? *plan->note : this->note(day, &read);
        // Kept notes moved in memory: the plan's pointers are stale.
        if (m_notesChanges != changesBefore)
            planned = false;
        reads += read ? 1 : 0;
        if (note.unreadable)
            continue;
        if (trimmed.isEmpty()) {
            results.append({day, note.usefulLine ? *note.usefulLine : emptyNote});
            if (!shareSoFar(i))
                return std::nullopt;
            continue;
        }
        if (needle.isEmpty() || note.foldedBytes < quint32(needleUtf8.size()))
            continue;
        if (!hashes.isEmpty() &&
            !filterMayHold(reinterpret_cast<const quint8 *>(note.filter.constData()),
                           quint32(note.filter.size()), hashes))
            continue;
        if (note.packed.isEmpty())
            note.packed = packedOf(note); // kept: the next keystroke needs it again
        const QByteArray bytes = qUncompress(note.packed);
        if (bytes.size() != qsizetype(note.textBytes) + qsizetype(note.foldedBytes)) {
            // Damaged in memory or in the cache file: read the note again, once.
            m_notes.remove(day);
            ++m_notesChanges;
            planned = false;
            if (retried != day) {
                retried = day;
                --i;
                if (!sorted)
                    seen.remove(day);
            }
            continue;
        }
        const char *folded = bytes.constData() + note.textBytes;
        // UTF-8 is prefix free, so a byte match is a character match.
        const void *hit =
            ::memmem(folded, note.foldedBytes, needleUtf8.constData(), size_t(needleUtf8.size()));
        if (!hit)
            continue;
        const qsizetype byteAt = static_cast<const char *>(hit) - folded;
        results.append({day, excerptForByteMatch(QByteArrayView(bytes.constData(), note.textBytes),
                                                 QByteArrayView(folded, note.foldedBytes), byteAt,
                                                 needleUtf8.size())});
        if (!shareSoFar(i))
            return std::nullopt;
    }
    if (reads >= progressAfterReads && hooks.progress)
        hooks.progress(dates.size(), dates.size());
    return results;
}

void JournalSearch::planFor(const QList<QDate> &dates)
{
    if (m_planChanges == m_notesChanges && m_planDates == dates)
        return;
    m_planDates = dates;
    m_planChanges = m_notesChanges;
    m_plan.resize(dates.size());
    for (qsizetype i = 0; i < dates.size(); ++i) {
        const auto found = m_notes.find(dates.at(i));
        Planned &plan = m_plan[i];
        if (found == m_notes.end() || !found->verified) {
            plan = {};
            continue;
        }
        plan.note = &*found;
        plan.filter = reinterpret_cast<const quint8 *>(found->filter.constData());
        plan.filterBytes = quint32(found->filter.size());
        plan.foldedBytes = found->foldedBytes;
    }
    m_plan.squeeze();
}

void JournalSearch::load()
{
    m_loaded = true;
    if (m_cacheFile.isEmpty())
        return;
    // Anything wrong with the file: start from nothing and write it anew.
    m_unsaved = true;
    const int fd = ::open(QFile::encodeName(m_cacheFile).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat info {};
    CacheHeader header{};
    if (::fstat(fd, &info) != 0 ||
        !readFully(fd, reinterpret_cast<char *>(&header), sizeof header, 0) ||
        header.magic != cacheMagic || header.version != cacheVersion ||
        header.fileBytes != quint64(info.st_size) || header.indexBytes < sizeof header ||
        header.indexBytes > header.fileBytes - 8 || header.indexBytes > (quint64(1) << 31)) {
        ::close(fd);
        return;
    }
    QByteArray index(qsizetype(header.indexBytes) + 8, Qt::Uninitialized);
    quint64 stored = 0;
    const QByteArray root = m_store.root().toUtf8();
    const quint64 recordsAt = sizeof header + quint64(header.rootBytes);
    if (readFully(fd, index.data(), index.size(), 0))
        std::memcpy(&stored, index.constData() + header.indexBytes, 8);
    if (stored != checksum(QByteArrayView(index.constData(), qsizetype(header.indexBytes))) ||
        QByteArrayView(index.constData() + sizeof header,
                       qsizetype(std::min<quint64>(header.rootBytes, header.indexBytes))) != root ||
        recordsAt + quint64(header.count) * sizeof(CacheRecord) > header.indexBytes) {
        ::close(fd);
        return;
    }
    const auto fits = [](quint64 offset, quint64 length, quint64 limit) {
        return offset <= limit && length <= limit - offset;
    };
    QHash<QDate, Note> notes;
    notes.reserve(qsizetype(header.count));
    for (quint32 i = 0; i < header.count; ++i) {
        CacheRecord record{};
        std::memcpy(&record, index.constData() + recordsAt + i * sizeof(CacheRecord),
                    sizeof record);
        const QDate date = QDate::fromJulianDay(record.julianDay);
        if (!date.isValid() || record.inode == 0 ||
            !fits(record.filterOffset, record.filterLength, header.indexBytes) ||
            !fits(record.lineOffset, record.lineLength, header.indexBytes) ||
            (record.blobLength != 0 &&
             (record.blobOffset < header.indexBytes + 8 ||
              !fits(record.blobOffset, record.blobLength, header.fileBytes))) ||
            (record.filterLength != 0 && !std::has_single_bit(record.filterLength))) {
            ::close(fd);
            return;
        }
        Note note;
        note.stamp = {record.device, record.inode, record.size, record.modifiedNs,
                      record.changedNs};
        note.unreadable = record.flags & 1;
        note.textBytes = record.textBytes;
        note.foldedBytes = record.foldedBytes;
        // The index stays in memory as long as this object: no copy per note.
        note.filter =
            QByteArray::fromRawData(index.constData() + record.filterOffset, record.filterLength);
        if (record.flags & 2)
            note.usefulLine =
                QString::fromUtf8(index.constData() + record.lineOffset, record.lineLength);
        note.blobOffset = record.blobOffset;
        note.blobLength = record.blobLength;
        note.blobSum = record.blobSum;
        notes.insert(date, std::move(note));
    }
    m_cacheIndex = std::move(index);
    m_cacheFd = fd;
    m_notes = std::move(notes);
    ++m_notesChanges;
    m_unsaved = false;
}

QByteArray JournalSearch::packedOf(const Note &note) const
{
    if (!note.packed.isEmpty() || note.blobLength == 0 || m_cacheFd < 0)
        return note.packed;
    QByteArray blob(note.blobLength, Qt::Uninitialized);
    if (!readFully(m_cacheFd, blob.data(), blob.size(), qint64(note.blobOffset)) ||
        checksum(blob) != note.blobSum)
        return {};
    return blob;
}

bool JournalSearch::save()
{
    if (m_cacheFile.isEmpty() || !m_unsaved)
        return true;
    struct Entry {
        QDate date;
        const Note *note;
    };
    QList<Entry> entries;
    entries.reserve(m_notes.size());
    for (auto it = m_notes.cbegin(); it != m_notes.cend(); ++it) {
        if (it->stamp.inode != 0)
            entries.append({it.key(), &*it});
    }

    const QByteArray root = m_store.root().toUtf8();
    QByteArray filters;
    QByteArray lines;
    QList<CacheRecord> records;
    records.reserve(entries.size());
    quint64 blobsBytes = 0;
    for (const Entry &entry : std::as_const(entries)) {
        const Note &note = *entry.note;
        CacheRecord record{};
        record.julianDay = entry.date.toJulianDay();
        record.device = note.stamp.device;
        record.inode = note.stamp.inode;
        record.size = note.stamp.size;
        record.modifiedNs = note.stamp.modifiedNs;
        record.changedNs = note.stamp.changedNs;
        record.flags = (note.unreadable ? 1 : 0) | (note.usefulLine ? 2 : 0);
        record.textBytes = note.textBytes;
        record.foldedBytes = note.foldedBytes;
        record.filterOffset = quint32(filters.size()); // made absolute below
        record.filterLength = quint32(note.filter.size());
        filters.append(note.filter);
        const QByteArray line = note.usefulLine.value_or(QString()).toUtf8();
        record.lineOffset = quint32(lines.size());
        record.lineLength = quint32(line.size());
        lines.append(line);
        record.blobLength = note.packed.isEmpty() ? note.blobLength : quint32(note.packed.size());
        record.blobSum = note.packed.isEmpty() ? note.blobSum : checksum(note.packed);
        record.blobOffset = blobsBytes; // made absolute below
        blobsBytes += record.blobLength;
        records.append(record);
    }
    CacheHeader header{};
    header.magic = cacheMagic;
    header.version = cacheVersion;
    header.count = quint32(records.size());
    header.rootBytes = quint32(root.size());
    const quint64 filtersAt =
        sizeof header + quint64(root.size()) + quint64(records.size()) * sizeof(CacheRecord);
    const quint64 linesAt = filtersAt + quint64(filters.size());
    header.indexBytes = linesAt + quint64(lines.size());
    header.fileBytes = header.indexBytes + 8 + blobsBytes;
    if (header.indexBytes > (quint64(1) << 31) || header.fileBytes > (quint64(1) << 40))
        return false;
    for (CacheRecord &record : records) {
        record.filterOffset += quint32(filtersAt);
        record.lineOffset += quint32(linesAt);
        record.blobOffset += header.indexBytes + 8;
    }

    QByteArray index;
    index.reserve(qsizetype(header.indexBytes) + 8);
    index.append(reinterpret_cast<const char *>(&header), sizeof header);
    index.append(root);
    index.append(reinterpret_cast<const char *>(records.constData()),
                 records.size() * qsizetype(sizeof(CacheRecord)));
    index.append(filters);
    index.append(lines);
    const quint64 sum = checksum(index);
    index.append(reinterpret_cast<const char *>(&sum), 8);

    if (!QDir().mkpath(QFileInfo(m_cacheFile).absolutePath()))
        return false;
    QSaveFile file(m_cacheFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(index) != index.size())
        return false;
    for (const Entry &entry : std::as_const(entries)) {
        const Note &note = *entry.note;
        QByteArray blob = packedOf(note);
        const qsizetype length =
            note.packed.isEmpty() ? qsizetype(note.blobLength) : note.packed.size();
        // A block that cannot be read back is written as zeros: its checksum fails and the
        // note is read again from its file when it is needed.
        if (blob.size() != length)
            blob = QByteArray(length, '\0');
        if (file.write(blob) != blob.size())
            return false;
    }
    if (!file.commit())
        return false;
    m_unsaved = false;
    return true;
}

qsizetype JournalSearch::keptBytes() const
{
    qsizetype bytes = 0;
    auto add = [&bytes](const Note &note) {
        bytes += qsizetype(sizeof(Note)) + note.packed.capacity() + note.filter.capacity() +
                 (note.usefulLine ? note.usefulLine->capacity() * 2 : 0);
    };
    for (const Note &note : m_notes)
        add(note);
    return bytes + m_cacheIndex.size() + m_plan.capacity() * qsizetype(sizeof(Planned));
}

} // namespace wrenfold::app
