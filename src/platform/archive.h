// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

// Error messages here are English diagnostics for logs and the release tool; the app shows
// its own fixed message for every failed update.

#include "core/result.h"

#include <QString>

namespace wrenfold::platform::Archive {

/// What an archive may unpack to at most.
struct Limits {
    qint64 maximumBytes = qint64(1) << 30;
    qint64 maximumEntries = 100000;
};

/// Unpacks the zip or tar (plain, gzip or xz) archive at `archive` into the existing folder
/// `target`. Refused, with an error and whatever was unpacked so far left in `target`: an absolute
/// path, a ".." component, a symbolic link whose target is absolute or leaves `target`, a hard
/// link, a device, pipe or socket, an entry that would write through a link or over an earlier
/// entry, more than `limits` allow (counted on the bytes really unpacked, so a lying
/// header does not help), and a damaged or truncated archive. Modes keep their
/// permission bits only (never set-user-ID).
core::Status extract(const QString &archive, const QString &target, Limits limits = {});

/// Packs the folder `folder` into a new zip at `archive`, under the folder's own name
/// (so "Wrenfold.AppDir/AppRun"), with folders, modes and symbolic links kept.
core::Status create(const QString &archive, const QString &folder);

} // namespace wrenfold::platform::Archive
