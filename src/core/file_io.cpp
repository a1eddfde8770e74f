// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/file_io.h"

#include "core/markdown_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringDecoder>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
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

Status writeFileDurably(const QString &path, const QByteArray &bytes, const QString &tempPath)
{
    const QFileInfo target(path);
    const QString folder = target.absolutePath();
    if (Status failed = makeFolders(folder))
        return failed;

    const QByteArray nativeTarget = QFile::encodeName(target.absoluteFilePath());
    const QByteArray nativeFolder = QFile::encodeName(folder);
    QByteArray temp;
    int fd = -1;
    if (!tempPath.isEmpty()) {
        temp = QFile::encodeName(tempPath);
        fd = openFreshFile(temp);
    } else {
        const QByteArray stem = nativeFolder + "/." + QFile::encodeName(target.fileName()) + '.';
        for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
            temp = stem + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
            fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                        0666);
            if (fd < 0 && errno != EEXIST)
                break;
        }
    }
    if (fd < 0)
        return saveError(path, describeFileError(errno));

    auto fail = [&](int error, bool closeFile = true) -> Status {
        if (closeFile)
            ::close(fd);
        ::unlink(temp.constData());
        return saveError(path, describeFileError(error));
    };

    // Keep the permissions the user gave the file it replaces.
    struct stat previous {};
    if (::stat(nativeTarget.constData(), &previous) == 0 && S_ISREG(previous.st_mode))
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
    if (::rename(temp.constData(), nativeTarget.constData()) != 0)
        return fail(errno, false);
    if (const int error = syncFolder(nativeFolder))
        return saveError(path, describeFileError(error));
    return std::nullopt;
}

} // namespace wrenfold::core
