// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Unpacking update archives (zip, or tar with gzip or xz) with libarchive. Its secure flags catch
// ".." and writing through links, but still create a link entry that points outside, and trust
// declared sizes, so those checks happen here as well.
#include "platform/archive.h"

#include "core/file_io.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <memory>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace wrenfold::platform::Archive {

namespace {

using ReadArchive = std::unique_ptr<archive, decltype(&archive_read_free)>;
using WriteArchive = std::unique_ptr<archive, decltype(&archive_write_free)>;
using Entry = std::unique_ptr<archive_entry, decltype(&archive_entry_free)>;

core::Error refusal(const QString &entry, const QString &why)
{
    return core::Error{u"The archive entry “%1” was refused: %2"_s.arg(entry, why)};
}

core::Error archiveError(archive *handle)
{
    const char *text = archive_error_string(handle);
    return core::Error{u"The archive could not be unpacked: %1"_s.arg(
        text ? QString::fromLocal8Bit(text) : u"unknown error"_s)};
}

/// False when `relative` (with "/" separators) climbs above its starting point.
bool staysInside(const QString &relative)
{
    qsizetype depth = 0;
    for (const QString &part : relative.split(u'/')) {
        if (part.isEmpty() || part == u".")
            continue;
        depth += part == u".." ? -1 : 1;
        if (depth < 0)
            return false;
    }
    return true;
}

/// Why the entry must not be unpacked, or an empty text.
QString whyRefused(archive_entry *entry, const QString &name)
{
    if (name.isEmpty())
        return u"it has no name."_s;
    if (name.startsWith(u'/'))
        return u"the path is absolute."_s;
    if (name.split(u'/').contains(u".."_s))
        return u"the path leaves the folder."_s;
    if (archive_entry_hardlink(entry))
        return u"hard links are not accepted."_s;
    switch (archive_entry_filetype(entry)) {
    case AE_IFREG:
    case AE_IFDIR:
        return {};
    case AE_IFLNK: {
        const char *raw = archive_entry_symlink(entry);
        const QString target = raw ? QFile::decodeName(raw) : QString();
        if (target.isEmpty() || target.startsWith(u'/'))
            return u"the link's target is absolute or empty."_s;
        const qsizetype slash = name.lastIndexOf(u'/');
        const QString folder = slash < 0 ? QString() : name.left(slash);
        if (!staysInside(folder + u'/' + target))
            return u"the link points outside the folder."_s;
        return {};
    }
    default:
        return u"devices, pipes and sockets are not accepted."_s;
    }
}

/// Every link under `root` must resolve to something inside it. Checked once all entries
/// exist, because one link can lead through another.
core::Status checkLinks(const QString &root)
{
    const QString prefix = root + u'/';
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!QFileInfo(path).isSymLink())
            continue;
        const QString resolved = QFileInfo(path).canonicalFilePath();
        if (resolved.isEmpty() || (resolved != root && !resolved.startsWith(prefix)))
            return refusal(QDir(root).relativeFilePath(path),
                           u"the link points outside the folder."_s);
    }
    return std::nullopt;
}

} // namespace

core::Status extract(const QString &archivePath, const QString &target, Limits limits)
{
    // libarchive checks every component of the destination for links, so start from the
    // folder's real path.
    const QString root = QFileInfo(target).canonicalFilePath();
    if (root.isEmpty() || !QFileInfo(root).isDir())
        return core::Error{u"The folder “%1” does not exist."_s.arg(target)};

    ReadArchive reader(archive_read_new(), &archive_read_free);
    WriteArchive writer(archive_write_disk_new(), &archive_write_free);
    archive_read_support_format_zip(reader.get());
    archive_read_support_format_tar(reader.get());
    archive_read_support_filter_gzip(reader.get());
    archive_read_support_filter_xz(reader.get());
    archive_write_disk_set_options(writer.get(), ARCHIVE_EXTRACT_TIME | ARCHIVE_EXTRACT_PERM |
                                                     ARCHIVE_EXTRACT_SECURE_NODOTDOT |
                                                     ARCHIVE_EXTRACT_SECURE_SYMLINKS |
                                                     ARCHIVE_EXTRACT_NO_OVERWRITE);
    if (archive_read_open_filename(reader.get(), QFile::encodeName(archivePath).constData(),
                                   64 * 1024) != ARCHIVE_OK)
        return archiveError(reader.get());

    qint64 written = 0;
    qint64 entries = 0;
    archive_entry *entry = nullptr;
    for (;;) {
        const int status = archive_read_next_header(reader.get(), &entry);
        if (status == ARCHIVE_EOF)
            break;
        if (status != ARCHIVE_OK)
            return archiveError(reader.get());
        if (++entries > limits.maximumEntries)
            return core::Error{u"The archive has too many entries."_s};

        const char *rawName = archive_entry_pathname(entry);
        const QString name = rawName ? QFile::decodeName(rawName) : QString();
        if (const QString why = whyRefused(entry, name); !why.isEmpty())
            return refusal(name, why);
        if (archive_entry_size_is_set(entry) &&
            archive_entry_size(entry) > limits.maximumBytes - written)
            return core::Error{u"The archive unpacks to more than its size limit."_s};

        archive_entry_set_perm(entry, archive_entry_perm(entry) & 0777);
        archive_entry_copy_pathname(entry, QFile::encodeName(root + u'/' + name).constData());
        if (archive_write_header(writer.get(), entry) != ARCHIVE_OK)
            return refusal(name, QString::fromLocal8Bit(archive_error_string(writer.get())));

        const void *block = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        for (;;) {
            const int got = archive_read_data_block(reader.get(), &block, &size, &offset);
            if (got == ARCHIVE_EOF)
                break;
            if (got != ARCHIVE_OK)
                return archiveError(reader.get());
            written += qint64(size);
            if (written > limits.maximumBytes)
                return core::Error{u"The archive unpacks to more than its size limit."_s};
            if (archive_write_data_block(writer.get(), block, size, offset) != ARCHIVE_OK)
                return archiveError(writer.get());
        }
        if (archive_write_finish_entry(writer.get()) != ARCHIVE_OK)
            return archiveError(writer.get());
    }
    if (archive_write_close(writer.get()) != ARCHIVE_OK)
        return archiveError(writer.get());
    return checkLinks(root);
}

core::Status create(const QString &archivePath, const QString &folder)
{
    const QFileInfo top(folder);
    if (!top.isDir())
        return core::Error{u"The folder “%1” does not exist."_s.arg(folder)};
    QStringList paths{top.absoluteFilePath()};
    QDirIterator it(top.absoluteFilePath(),
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << it.next();
    std::sort(paths.begin() + 1, paths.end());

    WriteArchive writer(archive_write_new(), &archive_write_free);
    archive_write_set_format_zip(writer.get());
    archive_write_zip_set_compression_deflate(writer.get());
    if (archive_write_open_filename(writer.get(), QFile::encodeName(archivePath).constData()) !=
        ARCHIVE_OK)
        return archiveError(writer.get());

    const QDir base = top.absoluteDir();
    for (const QString &path : std::as_const(paths)) {
        struct stat info {};
        if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
            return core::Error{
                u"Could not read “%1”: %2."_s.arg(path, core::describeFileError(errno))};
        Entry entry(archive_entry_new(), &archive_entry_free);
        archive_entry_copy_stat(entry.get(), &info);
        archive_entry_copy_pathname(entry.get(),
                                    QFile::encodeName(base.relativeFilePath(path)).constData());
        QFile file(path);
        if (S_ISLNK(info.st_mode)) {
            QByteArray linkTarget(info.st_size + 1, Qt::Uninitialized);
            const ssize_t got = ::readlink(QFile::encodeName(path).constData(), linkTarget.data(),
                                           size_t(linkTarget.size()));
            if (got < 0)
                return core::Error{
                    u"Could not read “%1”: %2."_s.arg(path, core::describeFileError(errno))};
            archive_entry_copy_symlink(entry.get(), linkTarget.left(got).constData());
            archive_entry_set_size(entry.get(), 0);
        } else if (S_ISREG(info.st_mode)) {
            if (!file.open(QIODevice::ReadOnly))
                return core::Error{u"Could not read “%1”: %2."_s.arg(path, file.errorString())};
        } else if (!S_ISDIR(info.st_mode)) {
            continue;
        }
        if (archive_write_header(writer.get(), entry.get()) != ARCHIVE_OK)
            return archiveError(writer.get());
        while (file.isOpen() && !file.atEnd()) {
            const QByteArray chunk = file.read(64 * 1024);
            if (chunk.isEmpty() || archive_write_data(writer.get(), chunk.constData(),
                                                      size_t(chunk.size())) != chunk.size())
                return archiveError(writer.get());
        }
    }
    if (archive_write_close(writer.get()) != ARCHIVE_OK)
        return archiveError(writer.get());
    return std::nullopt;
}

} // namespace wrenfold::platform::Archive
