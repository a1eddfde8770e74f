// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "platform/bundle_signature.h"

#include "core/file_io.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

#include <sodium.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace wrenfold::platform::BundleSignature {

namespace {

core::Error fileError(const QString &path, int errnoValue)
{
    return core::Error{
        u"Could not read “%1”: %2."_s.arg(path, core::describeFileError(errnoValue))};
}

/// SHA-256 of the regular file, read through a descriptor that refuses to follow a link
/// swapped in since the listing.
core::Result<QByteArray> sha256OfFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return fileError(path, errno);
    crypto_hash_sha256_state state;
    crypto_hash_sha256_init(&state);
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), size_t(buffer.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            return fileError(path, error);
        }
        if (got == 0)
            break;
        crypto_hash_sha256_update(&state, reinterpret_cast<const unsigned char *>(buffer.data()),
                                  size_t(got));
    }
    ::close(fd);
    QByteArray digest(crypto_hash_sha256_BYTES, Qt::Uninitialized);
    crypto_hash_sha256_final(&state, reinterpret_cast<unsigned char *>(digest.data()));
    return digest.toHex();
}

QByteArray sha256(const QByteArray &data)
{
    QByteArray digest(crypto_hash_sha256_BYTES, Qt::Uninitialized);
    crypto_hash_sha256(reinterpret_cast<unsigned char *>(digest.data()),
                       reinterpret_cast<const unsigned char *>(data.constData()),
                       size_t(data.size()));
    return digest.toHex();
}

core::Status writeAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return core::Error{u"Could not write “%1”: %2."_s.arg(path, file.errorString())};
    return std::nullopt;
}

} // namespace

core::Result<QByteArray> fileList(const QString &bundle)
{
    [[maybe_unused]] const int ready = sodium_init();
    const QString base = QFileInfo(bundle).absoluteFilePath();
    const QDir root(base);
    QList<std::pair<QByteArray, QByteArray>> lines; // path, whole line
    QDirIterator it(base, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = root.relativeFilePath(path);
        if (relative == QLatin1String(fileListName) || relative == QLatin1String(signatureName))
            continue;
        const QByteArray name = relative.toUtf8();
        if (name.contains('\n') || name.contains('\r'))
            return core::Error{u"“%1” has a line break in its name."_s.arg(path)};

        struct stat info {};
        if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
            return fileError(path, errno);
        QByteArray hash;
        if (S_ISREG(info.st_mode)) {
            core::Result<QByteArray> digest = sha256OfFile(path);
            if (!digest)
                return digest.error();
            hash = *digest;
        } else if (S_ISLNK(info.st_mode)) {
            QByteArray target(info.st_size + 1, Qt::Uninitialized);
            const ssize_t got = ::readlink(QFile::encodeName(path).constData(), target.data(),
                                           size_t(target.size()));
            if (got < 0)
                return fileError(path, errno);
            hash = sha256(target.left(got));
        } else if (S_ISDIR(info.st_mode)) {
            hash = "-";
        } else {
            return core::Error{u"“%1” is not a file, folder or link."_s.arg(path)};
        }
        lines.append(
            {name, QByteArray::number(uint(info.st_mode), 8) + ' ' + hash + ' ' + name + '\n'});
    }
    std::sort(lines.begin(), lines.end());
    QByteArray list;
    for (const auto &line : std::as_const(lines))
        list += line.second;
    return list;
}

core::Status writeFileList(const QString &bundle)
{
    core::Result<QByteArray> list = fileList(bundle);
    if (!list)
        return list.error();
    return writeAtomically(QDir(bundle).filePath(QLatin1String(fileListName)), *list);
}

core::Status sign(const QString &bundle, const Minisign::SecretKey &key,
                  const QString &trustedComment)
{
    core::Result<QByteArray> list = fileList(bundle);
    if (!list)
        return list.error();
    const QDir root(bundle);
    if (core::Status error = writeAtomically(root.filePath(QLatin1String(fileListName)), *list))
        return error;
    return writeAtomically(root.filePath(QLatin1String(signatureName)),
                           Minisign::sign(*list, key, trustedComment));
}

bool verify(const QString &bundle, const Minisign::PublicKey &key)
{
    const QDir root(bundle);
    const core::Result<QByteArray> signedList =
        core::readFileBytes(root.filePath(QLatin1String(fileListName)));
    const core::Result<QByteArray> signature =
        core::readFileBytes(root.filePath(QLatin1String(signatureName)));
    if (!signedList || !signature || !Minisign::verify(*signedList, *signature, key))
        return false;
    const core::Result<QByteArray> actual = fileList(bundle);
    return actual && *actual == *signedList;
}

} // namespace wrenfold::platform::BundleSignature
