// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

namespace wrenfold::core {

/// A short cause for an errno value, for messages such as “Could not save “x”: %1.”:
/// EACCES gives "permission denied", ENOSPC "the disk is full"; unknown values give the
/// system's own description.
QString describeFileError(int errnoValue);

/// The whole file. A missing file (or a path through something that is not a folder) is
/// an error unless `missing` is given: then it sets *missing and returns empty bytes.
/// Folders, pipes and devices are refused without blocking; so are files over 512 MiB.
Result<QByteArray> readFileBytes(const QString &path, bool *missing = nullptr);

/// Offset of the first byte that breaks strict UTF-8 (overlong forms, surrogates and
/// code points past U+10FFFF included), or -1 when all of `bytes` is valid.
qsizetype firstInvalidUtf8Offset(QByteArrayView bytes);

/// `bytes` read from `path` as strict UTF-8; an invalid byte is an error naming the file
/// and the byte's offset. A BOM is kept as U+FEFF.
Result<QString> decodeUtf8File(const QString &path, const QByteArray &bytes);

/// Creates `path` and every missing folder above it; an existing folder is no error.
Status makeFolders(const QString &path);

/// One version of a file: its identity and the times and size that a write changes.
struct FileStamp {
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    qint64 size = 0;
    quint64 device = 0;
    quint64 inode = 0;
    friend bool operator==(const FileStamp &, const FileStamp &) = default;
};

/// The stamp of the regular file at `path`, symbolic links followed; none when there is
/// no regular file there (missing, a folder, attributes unreadable).
std::optional<FileStamp> fileStampOf(const QString &path);

/// What a caller last saw at a file that it is about to replace.
struct ExpectedFile {
    /// The file's stamp then; none when there was no file.
    std::optional<FileStamp> stamp;
    /// Its text then, when known. A file found holding this text, the new text or nothing
    /// counts as unchanged whatever its stamp says.
    std::optional<QString> text;
};

/// How a guarded write ended.
struct SaveOutcome {
    /// Where another program's version, found in place of the expected one at the moment
    /// of replacing it, was kept: a preserved copy beside the target. Empty when the write
    /// replaced only what the caller expected.
    QString keptCopy;
};

/// Name of a preserved copy of `filePath` made at `utc`, in the same folder:
/// "2026-03-05.md" at 14:07:09 gives "2026-03-05.local-2026-03-05T14-07-09.md"; a
/// `counter` of 2 or more goes before ".md" ("...T14-07-09-2.md").
QString preservedCopyPath(const QString &filePath, const QDateTime &utc, int counter = 1);

/// Writes `bytes` to `path` durably: transient file ".<name>.tmp" beside the target, fsync,
/// rename, fsync of the folder (and of the parents of folders it had to create). A stale
/// transient file of that name is replaced; a symbolic link there is never written
/// through. When `path` is a symbolic link, the file it points to is replaced (its
/// transient file sits beside it) and the link stays; missing folders are created only
/// above `path` itself, never above a link's target. The new file keeps the permissions of
/// the one it replaces. On failure the target is untouched and the transient file gone.
Status writeFileDurably(const QString &path, const QByteArray &bytes);

/// As above, but replaces the target only by swapping it with the transient file in one
/// step and then looks at what it displaced: when that is not what `expected` describes
/// (another program saved in the meantime), it is kept as a preserved copy, named in the
/// outcome, instead of being removed. On file systems that cannot swap two names (some
/// network and FUSE file systems) the target is first moved aside under a preserved-copy
/// name and the new file then put in place without replacing anything, so for a moment
/// there is no file at `path` but nothing can be overwritten; the copy is removed again
/// when it held only what was expected.
Result<SaveOutcome> writeFileDurably(const QString &path, const QByteArray &bytes,
                                     const ExpectedFile &expected);

/// Test seams of the durable write; both are off in the application.
struct FileWriteSeams {
    /// Runs after the transient file is synced, right before it replaces the target
    /// (argument: the target's path), so that a test can save as another program would.
    std::function<void(const QString &)> beforeReplace;
    /// Behave as on a file system that cannot swap two names.
    bool withoutExchange = false;
};
void setFileWriteSeams(FileWriteSeams seams);

} // namespace wrenfold::core
