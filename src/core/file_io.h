// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

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

} // namespace wrenfold::core
