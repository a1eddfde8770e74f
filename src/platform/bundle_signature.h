// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

// Error messages here are English diagnostics for logs and the release tool; the app shows
// its own fixed message for every failed update.

#include "core/result.h"
#include "platform/minisign.h"

#include <QByteArray>
#include <QString>

namespace wrenfold::platform::BundleSignature {

/// The signed file list and its signature, both at the top of the bundle folder.
inline constexpr char fileListName[] = "wrenfold-files.txt";
inline constexpr char signatureName[] = "wrenfold-files.txt.minisig";

/// The list of everything in the folder `bundle`, one line per item, sorted by path:
/// "<mode in octal> <SHA-256 in hex> <relative path>\n". Folders carry "-" for the hash,
/// symbolic links the hash of their target text; the list and its signature are left out.
/// A pipe, socket or device, a name with a line break, or an unreadable file is an error.
core::Result<QByteArray> fileList(const QString &bundle);

/// Writes the current file list into the bundle (for signing with any minisign tool).
core::Status writeFileList(const QString &bundle);

/// Writes the file list and its signature by `key`.
core::Status sign(const QString &bundle, const Minisign::SecretKey &key,
                  const QString &trustedComment);

/// True only when the bundle holds a list signed by `key` and the bundle's files are now
/// exactly the listed ones, byte for byte, with the listed modes: a changed, added or
/// removed file, a missing list or signature, or another key all give false.
bool verify(const QString &bundle, const Minisign::PublicKey &key);

} // namespace wrenfold::platform::BundleSignature
