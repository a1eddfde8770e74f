// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "platform/folder_reference.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace wrenfold::platform {

namespace {

struct FolderIdentity {
    quint64 device = 0;
    quint64 inode = 0;
};

std::optional<FolderIdentity> folderIdentity(const QString &path, int *errorNumber = nullptr)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        if (errorNumber)
            *errorNumber = errno;
        return std::nullopt;
    }
    if (!S_ISDIR(info.st_mode)) {
        if (errorNumber)
            *errorNumber = ENOTDIR;
        return std::nullopt;
    }
    return FolderIdentity{quint64(info.st_dev), quint64(info.st_ino)};
}

} // namespace

FolderReference::FolderReference(QString path, quint64 device, quint64 inode)
    : m_path(std::move(path)), m_device(device), m_inode(inode)
{}

core::Result<FolderReference> FolderReference::create(const QString &path)
{
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    int errorNumber = 0;
    const auto identity = folderIdentity(absolute, &errorNumber);
    if (!identity) {
        return core::Error{QCoreApplication::translate(
                               "FolderReference", "The folder “%1” could not be remembered: %2.")
                               .arg(QDir::toNativeSeparators(absolute),
                                    QString::fromLocal8Bit(std::strerror(errorNumber)))};
    }
    return FolderReference(absolute, identity->device, identity->inode);
}

std::optional<FolderReference> FolderReference::deserialise(const QByteArray &bytes)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const QJsonValue path = object.value(u"path"_s);
    const QJsonValue device = object.value(u"device"_s);
    const QJsonValue inode = object.value(u"inode"_s);
    if (!path.isString() || path.toString().isEmpty() || !device.isString() || !inode.isString())
        return std::nullopt;
    // 64-bit numbers do not survive a JSON double, so they travel as decimal text.
    bool deviceOk = false;
    bool inodeOk = false;
    const quint64 deviceNumber = device.toString().toULongLong(&deviceOk);
    const quint64 inodeNumber = inode.toString().toULongLong(&inodeOk);
    if (!deviceOk || !inodeOk)
        return std::nullopt;
    return FolderReference(path.toString(), deviceNumber, inodeNumber);
}

QByteArray FolderReference::serialise() const
{
    QJsonObject object;
    object.insert(u"path"_s, m_path);
    object.insert(u"device"_s, QString::number(m_device));
    object.insert(u"inode"_s, QString::number(m_inode));
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<FolderReference::Resolved> FolderReference::resolve() const
{
    const auto identity = folderIdentity(m_path);
    if (!identity)
        return std::nullopt;
    const bool isStale = identity->device != m_device || identity->inode != m_inode;
    return Resolved{m_path, isStale};
}

} // namespace wrenfold::platform
