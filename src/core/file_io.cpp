// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/file_io.h"

#include "core/markdown_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <variant>

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace wrenfold::core {

namespace {

struct FileText {
    Q_DECLARE_TR_FUNCTIONS(wrenfold::core::Files)
};

// Larger files are not notes; reading them whole would only exhaust memory.
constexpr qint64 kMaxFileSize = qint64(512) * 1024 * 1024;

Error readError(const QString &path, const QString &cause)
{
    return {FileText::tr("Could not read “%1”: %2.").arg(QDir::toNativeSeparators(path), cause)};
}

Error saveError(const QString &path, const QString &cause)
{
    return {FileText::tr("Could not save “%1”: %2.").arg(QDir::toNativeSeparators(path), cause)};
}

// Writes everything, retrying short writes and interruptions.
bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// Makes a completed rename survive a power cut. File systems that cannot sync a folder
// say EINVAL; that is no failure of ours.
int syncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int result = 0;
    if (::fsync(fd) != 0 && errno != EINVAL)
        result = errno;
    ::close(fd);
    return result;
}

// Opens a fresh file at `temp`, never through a symbolic link or into someone's open file.
int openFreshFile(const QByteArray &temp)
{
    if (::unlink(temp.constData()) != 0 && errno != ENOENT)
        return -1;
    return ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
}

} // namespace

QString describeFileError(int errnoValue)
{
    switch (errnoValue) {
    case EACCES:
    case EPERM:
        return FileText::tr("permission denied");
    case ENOSPC:
        return FileText::tr("the disk is full");
    case EDQUOT:
        return FileText::tr("the disk quota is exceeded");
    case EROFS:
        return FileText::tr("the disk is read-only");
    case EISDIR:
        return FileText::tr("it is a folder, not a file");
    case ENOTDIR:
        return FileText::tr("a part of the path is a file, not a folder");
    case ENOENT:
        return FileText::tr("it does not exist");
    case EEXIST:
        return FileText::tr("a file with that name is in the way");
    case ENAMETOOLONG:
        return FileText::tr("the name is too long");
    case ELOOP:
        return FileText::tr("too many symbolic links in the path");
    case EIO:
        return FileText::tr("the disk reported an input/output error");
    case EFBIG:
        return FileText::tr("the file is too large");
    case EMFILE:
    case ENFILE:
        return FileText::tr("too many files are open");
    default:
        return qt_error_string(errnoValue);
    }
}

qsizetype firstInvalidUtf8Offset(QByteArrayView bytes)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const unsigned char lead = data[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        unsigned char low = 0x80;  // allowed range of the second byte rules out overlong
        unsigned char high = 0xBF; // forms, surrogates and values past U+10FFFF
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return i;
        }
        if (i + length > size)
            return i;
        if (data[i + 1] < low || data[i + 1] > high)
            return i;
        for (int k = 2; k < length; ++k) {
            if ((data[i + k] & 0xC0) != 0x80)
                return i;
        }
        i += length;
    }
    return -1;
}

Result<QByteArray> readFileBytes(const QString &path, bool *missing)
{
    if (missing)
        *missing = false;
    const QByteArray native = QFile::encodeName(path);
    // Non-blocking so that a named pipe put in the notes folder cannot stall the caller.
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        if (missing && (error == ENOENT || error == ENOTDIR)) {
            *missing = true;
            return QByteArray();
        }
        return readError(path, describeFileError(error));
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return readError(path, describeFileError(error));
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return readError(path, S_ISDIR(info.st_mode) ? describeFileError(EISDIR)
                                                     : FileText::tr("it is not a regular file"));
    }
    if (info.st_size > kMaxFileSize) {
        ::close(fd);
        return readError(path, describeFileError(EFBIG));
    }

    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count == 0)
            break;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            return readError(path, describeFileError(error));
        }
        // The file may grow while it is read; the cap still holds.
        if (bytes.size() + count > kMaxFileSize) {
            ::close(fd);
            return readError(path, describeFileError(EFBIG));
        }
        bytes.append(buffer, count);
    }
    ::close(fd);
    return bytes;
}

Result<QString> decodeUtf8File(const QString &path, const QByteArray &bytes)
{
    const qsizetype bad = firstInvalidUtf8Offset(bytes);
    if (bad >= 0) {
        return readError(path,
                         FileText::tr("the text is not valid UTF-8 (byte offset %1)").arg(bad));
    }
    // Keep a leading BOM as U+FEFF so that saving the text back writes the same bytes.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return QString(decoder(bytes));
}

Result<QString> readUtf8File(const QString &path)
{
    Result<QByteArray> bytes = readFileBytes(path);
    if (!bytes)
        return bytes.error();
    return decodeUtf8File(path, *bytes);
}

Status makeFolders(const QString &path)
{
    // Remember which folders are new: their names must reach the disk too, or a power cut
    // could take a freshly saved day file away with the folder it was written into.
    QStringList created;
    for (QString folder = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
         !QFileInfo(folder).exists(); folder = QFileInfo(folder).absolutePath()) {
        created.prepend(folder);
        if (QFileInfo(folder).isRoot())
            break;
    }
    std::error_code code;
    const std::filesystem::path native(QFile::encodeName(path).toStdString());
    std::filesystem::create_directories(native, code);
    if (code) {
        return Error{FileText::tr("Could not create the folder “%1”: %2.")
                         .arg(QDir::toNativeSeparators(path), describeFileError(code.value()))};
    }
    for (const QString &folder : created) {
        if (const int error = syncFolder(QFile::encodeName(QFileInfo(folder).absolutePath()))) {
            return Error{FileText::tr("Could not create the folder “%1”: %2.")
                             .arg(QDir::toNativeSeparators(folder), describeFileError(error))};
        }
    }
    return std::nullopt;
}

namespace {

FileWriteSeams &writeSeams()
{
    static FileWriteSeams seams;
    return seams;
}

qint64 nanoseconds(const struct timespec &time)
{
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

FileStamp stampOf(const struct stat &info)
{
    return {nanoseconds(info.st_mtim), nanoseconds(info.st_ctim), qint64(info.st_size),
            quint64(info.st_dev), quint64(info.st_ino)};
}

// The file that `path` names once its symbolic links are followed, so that a save replaces
// what a link points to instead of the link. None when the links go round in circles.
std::optional<QString> followLinks(const QString &path)
{
    QString current = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    for (int hops = 0; hops < 40; ++hops) {
        const QByteArray native = QFile::encodeName(current);
        struct stat info {};
        if (::lstat(native.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        QByteArray target(4096, Qt::Uninitialized);
        const ssize_t length = ::readlink(native.constData(), target.data(), size_t(target.size()));
        if (length <= 0 || length >= target.size())
            return std::nullopt;
        target.truncate(length);
        // A relative target counts from the folder that holds the link.
        const QFileInfo link(current);
        const QString folder = link.dir().canonicalPath();
        current = QDir::cleanPath(QDir(folder.isEmpty() ? link.absolutePath() : folder)
                                      .absoluteFilePath(QFile::decodeName(target)));
    }
    return std::nullopt;
}

bool renameUnsupported(int error)
{
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == ENOTSUP;
}

// Moves `from` to `to` unless something is there already (then EEXIST); 0 on success.
// `fromIsPrivate`: nobody else writes `from`, so a hard link and an unlink may stand in
// for the rename; for a shared name that would leave a moment to lose a file put there.
int moveWithoutReplacing(const QByteArray &from, const QByteArray &to, bool fromIsPrivate = true)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (!renameUnsupported(errno))
        return errno;
    // Network file systems know no such rename, but a hard link never replaces either.
    if (fromIsPrivate) {
        if (::link(from.constData(), to.constData()) == 0) {
            ::unlink(from.constData());
            return 0;
        }
        if (errno != EPERM && !renameUnsupported(errno))
            return errno;
    }
    // Without hard links (FAT) only the plain rename is left; the name was free just now.
    struct stat info {};
    if (::lstat(to.constData(), &info) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

// True when removing the file at `path` loses no text: it holds what the caller expected,
// the text just written or nothing, or it is gone.
bool holdsNothingNew(const QByteArray &path, const ExpectedFile &expected, const QByteArray &ours)
{
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0)
        return errno == ENOENT;
    if (!S_ISREG(info.st_mode))
        return false;
    if (expected.stamp && !expected.text) {
        // Renaming changes the inode's change time, so that one cannot count.
        const FileStamp found = stampOf(info);
        if (found.device == expected.stamp->device && found.inode == expected.stamp->inode &&
            found.size == expected.stamp->size && found.modifiedNs == expected.stamp->modifiedNs)
            return true;
    }
    Result<QByteArray> bytes = readFileBytes(QFile::decodeName(path));
    if (!bytes)
        return false;
    return bytes->isEmpty() || *bytes == ours ||
           (expected.text && *bytes == expected.text->toUtf8());
}

// Moves the file at `from` to the first free preserved-copy name of `target`; ENOENT
// when there is nothing at `from`.
std::variant<QString, int> moveToPreservedCopy(const QByteArray &from, const QString &target,
                                               bool fromIsPrivate)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    int error = EEXIST;
    for (int counter = 1; counter < 1000 && error == EEXIST; ++counter) {
        const QString copy = preservedCopyPath(target, now, counter);
        error = moveWithoutReplacing(from, QFile::encodeName(copy), fromIsPrivate);
        if (error == 0)
            return copy;
    }
    return error;
}

// Writes the transient file and syncs it; it is left closed, whole, at `temp`.
Status writeTransient(const QString &path, const QByteArray &target, const QByteArray &temp,
                      const QByteArray &bytes)
{
    const int fd = openFreshFile(temp);
    if (fd < 0)
        return saveError(path, describeFileError(errno));
    // Held until the file is closed, so that the start-up clean-up passes it by.
    (void)::flock(fd, LOCK_EX | LOCK_NB);

    auto fail = [&](int error, bool closeFile = true) -> Status {
        if (closeFile)
            ::close(fd);
        ::unlink(temp.constData());
        return saveError(path, describeFileError(error));
    };

    // Keep the permissions the user gave the file it replaces.
    struct stat previous {};
    if (::stat(target.constData(), &previous) == 0 && S_ISREG(previous.st_mode))
        ::fchmod(fd, previous.st_mode & 07777);

    if (!writeAll(fd, bytes))
        return fail(errno);
    if (::fsync(fd) != 0)
        return fail(errno);

    // With a fixed transient name, a second program saving the same day at the same time
    // could have replaced our transient file; renaming theirs would publish a half file.
    struct stat ours {};
    struct stat onDisk {};
    if (::fstat(fd, &ours) != 0)
        return fail(errno);
    if (::lstat(temp.constData(), &onDisk) != 0 || ours.st_ino != onDisk.st_ino ||
        ours.st_dev != onDisk.st_dev) {
        ::close(fd);
        return saveError(path, FileText::tr("another program is saving the same file"));
    }
    if (::close(fd) != 0)
        return fail(errno, false);
    return std::nullopt;
}

// The file a write of `path` replaces (links followed) and its transient file, once the
// folders above `path` exist.
struct WriteTarget {
    QString path;
    QByteArray native;
    QByteArray temp;
    QByteArray folder;
};

Result<WriteTarget> prepareTarget(const QString &path)
{
    if (Status failed = makeFolders(QFileInfo(path).absolutePath()))
        return *failed;
    const std::optional<QString> resolved = followLinks(path);
    if (!resolved)
        return saveError(path, describeFileError(ELOOP));
    const QFileInfo target(*resolved);
    WriteTarget result;
    result.path = *resolved;
    result.native = QFile::encodeName(*resolved);
    result.folder = QFile::encodeName(target.absolutePath());
    result.temp = result.folder + "/." + QFile::encodeName(target.fileName()) + ".tmp";
    return result;
}

// Swaps the synced transient file with the target and settles what that displaced.
Result<SaveOutcome> replaceGuarded(const QString &path, const WriteTarget &target,
                                   const QByteArray &bytes, const ExpectedFile &expected)
{
    const QByteArray &temp = target.temp;
    SaveOutcome outcome;
    auto fail = [&](int error) -> Result<SaveOutcome> {
        ::unlink(temp.constData());
        return saveError(path, describeFileError(error));
    };
    // Whatever sits at `displaced` goes unless it holds text nobody else has.
    auto settle = [&](const QByteArray &displaced, bool alreadyNamed) -> Status {
        if (holdsNothingNew(displaced, expected, bytes)) {
            ::unlink(displaced.constData());
            return std::nullopt;
        }
        if (alreadyNamed) {
            outcome.keptCopy = QFile::decodeName(displaced);
            return std::nullopt;
        }
        const auto copy = moveToPreservedCopy(displaced, target.path, true);
        if (const int *error = std::get_if<int>(&copy))
            return saveError(path, describeFileError(*error));
        outcome.keptCopy = std::get<QString>(copy);
        return std::nullopt;
    };

    struct stat info {};
    if (::lstat(target.native.constData(), &info) == 0 && S_ISDIR(info.st_mode))
        return fail(EISDIR);
    if (writeSeams().beforeReplace)
        writeSeams().beforeReplace(target.path);

    for (int attempt = 0; attempt < 8; ++attempt) {
        int error = EINVAL;
        if (!writeSeams().withoutExchange) {
            if (::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.native.constData(),
                            RENAME_EXCHANGE) == 0) {
                // The new text is in place; the old file now has the transient name.
                if (Status failed = settle(temp, false))
                    return *failed;
                if (const int synced = syncFolder(target.folder))
                    return saveError(path, describeFileError(synced));
                return outcome;
            }
            error = errno;
        }
        if (error == ENOENT) {
            error = moveWithoutReplacing(temp, target.native);
            if (error == EEXIST)
                continue; // created meanwhile: swap with that one
            if (error != 0)
                return fail(error);
            if (const int synced = syncFolder(target.folder))
                return saveError(path, describeFileError(synced));
            return outcome;
        }
        if (!renameUnsupported(error))
            return fail(error);

        // No swap on this file system: move the target aside under a preserved-copy name,
        // then put the new file in place without replacing anything that arrived since.
        const auto moved = moveToPreservedCopy(target.native, target.path, false);
        const int *moveError = std::get_if<int>(&moved);
        if (moveError && *moveError != ENOENT)
            return fail(*moveError);
        const QString aside = moveError ? QString() : std::get<QString>(moved);
        error = moveWithoutReplacing(temp, target.native);
        if (error != 0 && error != EEXIST) {
            if (!aside.isEmpty())
                (void)moveWithoutReplacing(QFile::encodeName(aside), target.native);
            return fail(error);
        }
        if (!aside.isEmpty()) {
            if (Status failed = settle(QFile::encodeName(aside), true))
                return *failed;
        }
        if (error == 0) {
            if (const int synced = syncFolder(target.folder))
                return saveError(path, describeFileError(synced));
            return outcome;
        }
    }
    ::unlink(temp.constData());
    return saveError(path, FileText::tr("another program keeps replacing the file"));
}

} // namespace

std::optional<FileStamp> fileStampOf(const QString &path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return stampOf(info);
}

QString preservedCopyPath(const QString &filePath, const QDateTime &utc, int counter)
{
    const QFileInfo file(filePath);
    QString path = file.absolutePath() + u'/' + file.completeBaseName() + u".local-"_s +
                   utc.toUTC().toString(u"yyyy-MM-dd'T'HH-mm-ss"_s);
    if (counter > 1)
        path += u'-' + QString::number(counter);
    return path + u".md"_s;
}

Status writeFileDurably(const QString &path, const QByteArray &bytes)
{
    Result<WriteTarget> target = prepareTarget(path);
    if (!target)
        return target.error();
    if (Status failed = writeTransient(path, target->native, target->temp, bytes))
        return failed;
    if (writeSeams().beforeReplace)
        writeSeams().beforeReplace(target->path);
    if (::rename(target->temp.constData(), target->native.constData()) != 0) {
        const int error = errno;
        ::unlink(target->temp.constData());
        return saveError(path, describeFileError(error));
    }
    if (const int error = syncFolder(target->folder))
        return saveError(path, describeFileError(error));
    return std::nullopt;
}

Result<SaveOutcome> writeFileDurably(const QString &path, const QByteArray &bytes,
                                     const ExpectedFile &expected)
{
    Result<WriteTarget> target = prepareTarget(path);
    if (!target)
        return target.error();
    if (Status failed = writeTransient(path, target->native, target->temp, bytes))
        return *failed;
    return replaceGuarded(path, *target, bytes, expected);
}

void setFileWriteSeams(FileWriteSeams seams)
{
    writeSeams() = std::move(seams);
}

} // namespace wrenfold::core
