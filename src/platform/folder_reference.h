// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/result.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace wrenfold::platform {

/// A durable reference to a folder that survives restarts: its absolute path plus the
/// device and inode it had when the reference was made. Kept in the settings as bytes.
class FolderReference {
public:
    /// A reference to the existing folder at `path`; an error when `path` is not a folder
    /// (missing, a file, unreadable attributes).
    static core::Result<FolderReference> create(const QString &path);

    /// Reads bytes made by `serialise`; nullopt for empty, foreign or malformed bytes.
    static std::optional<FolderReference> deserialise(const QByteArray &bytes);
    /// Compact JSON: {"device":"2049","inode":"1234","path":"/home/me/Notes"}.
    QByteArray serialise() const;

    /// What resolving found.
    struct Resolved {
        QString path;
        bool isStale = false; ///< the folder at the path is not the one referenced
    };
    /// The folder's path when it is still a folder; nullopt when nothing or a file is
    /// there. A different folder at the same path (moved away and replaced, restored
    /// from a backup) resolves, marked stale, so the caller renews the reference.
    std::optional<Resolved> resolve() const;

    const QString &path() const { return m_path; }
    quint64 device() const { return m_device; }
    quint64 inode() const { return m_inode; }

    friend bool operator==(const FolderReference &, const FolderReference &) = default;

private:
    FolderReference(QString path, quint64 device, quint64 inode);

    QString m_path;
    quint64 m_device = 0;
    quint64 m_inode = 0;
};

} // namespace wrenfold::platform
