// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/note_listings.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace wrenfold::core {

namespace {

// Calls onEntry(folderFd, folderPath, name, length) for each entry of the open folder
// `dir` that is not a folder, and onFolder(childPath) for each folder in it. Hidden names
// are skipped.
template <typename OnEntry, typename OnFolder>
void readFolder(DIR *dir, const QByteArray &folder, OnEntry &&onEntry, OnFolder &&onFolder)
{
    const int fd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        const char *name = entry->d_name;
        if (name[0] == '.')
            continue;
        unsigned char type = entry->d_type;
        if (type == DT_UNKNOWN) {
            struct stat entryInfo {};
            if (::fstatat(fd, name, &entryInfo, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            type = S_ISDIR(entryInfo.st_mode) ? DT_DIR : DT_REG;
        }
        const size_t length = std::strlen(name);
        if (type == DT_DIR) {
            QByteArray child;
            child.reserve(folder.size() + 1 + static_cast<qsizetype>(length));
            child.append(folder).append('/').append(name, static_cast<qsizetype>(length));
            onFolder(std::move(child));
            continue;
        }
        onEntry(fd, folder, name, length);
    }
}

// Walks every folder below `root` without reading any file, calling
// onEntry(folderFd, folderPath, name, length) for each entry that is not a folder.
// Hidden names are skipped, symbolic links to folders are not followed and a folder
// reached twice (a bind mount of its own parent) is walked once, so the walk always ends.
// Folders that cannot be opened or read are skipped.
template <typename OnEntry> void walkFolder(const QByteArray &root, OnEntry &&onEntry)
{
    std::vector<QByteArray> pending{root};
    std::set<std::pair<dev_t, ino_t>> visited;
    bool isRoot = true;
    while (!pending.empty()) {
        const QByteArray folder = std::move(pending.back());
        pending.pop_back();
        // The notes root itself may be a link (a synced folder elsewhere); below it, never.
        const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (isRoot ? 0 : O_NOFOLLOW);
        isRoot = false;
        const int fd = ::open(folder.constData(), flags);
        if (fd < 0)
            continue;
        struct stat info {};
        if (::fstat(fd, &info) != 0 || !visited.emplace(info.st_dev, info.st_ino).second) {
            ::close(fd);
            continue;
        }
        DIR *dir = ::fdopendir(fd);
        if (!dir) {
            ::close(fd);
            continue;
        }
        readFolder(dir, folder, onEntry,
                   [&pending](QByteArray child) { pending.push_back(std::move(child)); });
        ::closedir(dir);
    }
}

bool hasMarkdownExtension(const char *name, size_t length)
{
    return length > 3 && std::memcmp(name + length - 3, ".md", 3) == 0;
}

// "2026-03-05" exactly: a year of four or more digits, a two-digit month and day, and a
// real calendar date. "2026-3-5", "2026-02-30" and "2026-03-05 copy" are not.
QDate parseDayName(const char *stem, size_t length)
{
    if (length < 10 || length > 15)
        return {};
    const size_t yearLength = length - 6;
    if (stem[yearLength] != '-' || stem[yearLength + 3] != '-')
        return {};
    auto number = [stem](size_t from, size_t count) {
        int value = 0;
        for (size_t i = from; i < from + count; ++i) {
            const char c = stem[i];
            if (c < '0' || c > '9')
                return -1;
            value = value * 10 + (c - '0');
        }
        return value;
    };
    const int year = number(0, yearLength);
    const int month = number(yearLength + 1, 2);
    const int day = number(yearLength + 4, 2);
    if (year < 0 || month < 0 || day < 0)
        return {};
    return QDate(year, month, day);
}

bool containsLocalMarker(const char *stem, size_t length)
{
    static constexpr char marker[] = ".local-";
    constexpr size_t markerLength = sizeof marker - 1;
    if (length < markerLength)
        return false;
    for (size_t i = 0; i + markerLength <= length; ++i) {
        if (std::memcmp(stem + i, marker, markerLength) == 0)
            return true;
    }
    return false;
}

// A preserved copy as listed: unreadable times sort last, as the most distant past.
NoteListings::Copy copyAt(int folderFd, const QByteArray &folder, const char *name, size_t length)
{
    NoteListings::Copy copy{LLONG_MIN, 0, {}, folder};
    struct stat info {};
    if (::fstatat(folderFd, name, &info, 0) == 0) {
        copy.seconds = info.st_mtim.tv_sec;
        copy.nanoseconds = info.st_mtim.tv_nsec;
    }
    copy.path = QFile::decodeName(folder + '/' + QByteArrayView(name, qsizetype(length)));
    return copy;
}

bool newerCopy(const NoteListings::Copy &a, const NoteListings::Copy &b)
{
    return std::tie(a.seconds, a.nanoseconds) > std::tie(b.seconds, b.nanoseconds);
}

} // namespace

QList<QDate> MarkdownStore::datesWithNotes() const
{
    QList<QDate> dates;
    if (m_root.isEmpty())
        return dates;
    walkFolder(QFile::encodeName(QDir(m_root).filePath(u"Journal"_s)),
               [&dates](int, const QByteArray &, const char *name, size_t length) {
                   if (!hasMarkdownExtension(name, length))
                       return;
                   const QDate date = parseDayName(name, length - 3);
                   if (date.isValid())
                       dates.append(date);
               });
    std::stable_sort(dates.begin(), dates.end(), std::greater<>());
    return dates;
}

QList<QString> MarkdownStore::preservedCopyURLs() const
{
    if (m_root.isEmpty())
        return {};
    NoteListings listings;
    listings.rescanAll(*this);
    return listings.preservedCopies();
}

void NoteListings::rescanAll(const MarkdownStore &store)
{
    m_journal.clear();
    m_datesByFolder.clear();
    m_dates.clear();
    m_copies.clear();
    if (store.root().isEmpty())
        return;
    m_journal = QFile::encodeName(QDir(store.root()).filePath(u"Journal"_s));
    walkFolder(m_journal,
               [this](int folderFd, const QByteArray &folder, const char *name, size_t length) {
                   if (!hasMarkdownExtension(name, length))
                       return;
                   if (containsLocalMarker(name, length - 3)) {
                       m_copies.push_back(copyAt(folderFd, folder, name, length));
                       return;
                   }
                   const QDate date = parseDayName(name, length - 3);
                   if (date.isValid()) {
                       m_dates.append(date);
                       m_datesByFolder[folder].append(date);
                   }
               });
    std::stable_sort(m_dates.begin(), m_dates.end(), std::greater<>());
    std::stable_sort(m_copies.begin(), m_copies.end(), newerCopy);
}

void NoteListings::rescanFolderOf(const QString &notePath)
{
    if (m_journal.isEmpty())
        return;
    const QByteArray path = QFile::encodeName(notePath);
    const qsizetype slash = path.lastIndexOf('/');
    if (slash <= m_journal.size() || !path.startsWith(m_journal) || path[m_journal.size()] != '/')
        return;
    const QByteArray folder = path.left(slash);

    for (const QDate &date : m_datesByFolder.take(folder)) {
        const auto found = std::lower_bound(m_dates.begin(), m_dates.end(), date, std::greater<>());
        if (found != m_dates.end() && *found == date)
            m_dates.erase(found);
    }
    std::erase_if(m_copies, [&folder](const Copy &copy) { return copy.folder == folder; });

    // The folder itself is opened without following a link, as the full walk does.
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return;
    DIR *dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return;
    }
    QList<QDate> dates;
    readFolder(
        dir, folder,
        [&](int folderFd, const QByteArray &, const char *name, size_t length) {
            if (!hasMarkdownExtension(name, length))
                return;
            if (containsLocalMarker(name, length - 3)) {
                Copy copy = copyAt(folderFd, folder, name, length);
                const auto at = std::upper_bound(m_copies.begin(), m_copies.end(), copy, newerCopy);
                m_copies.insert(at, std::move(copy));
                return;
            }
            const QDate date = parseDayName(name, length - 3);
            if (!date.isValid())
                return;
            dates.append(date);
            const auto at =
                std::upper_bound(m_dates.begin(), m_dates.end(), date, std::greater<>());
            m_dates.insert(at, date);
        },
        [](const QByteArray &) {});
    ::closedir(dir);
    if (!dates.isEmpty())
        m_datesByFolder.insert(folder, dates);
}

QList<QString> NoteListings::preservedCopies() const
{
    QList<QString> paths;
    paths.reserve(static_cast<qsizetype>(m_copies.size()));
    for (const Copy &copy : m_copies)
        paths.append(copy.path);
    return paths;
}

} // namespace wrenfold::core
