// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/update_info.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The update manifest is a small JSON object:
//   {"version": "1.2.0", "url": "https://example.org/Wrenfold-1.2.0.tar.gz", "notes": "..."}
// Reading it never fails loudly: anything wrong means "no update".
namespace wrenfold::core::UpdateManifest {

/// The offer in `body` when it is a JSON object whose "version" is a string newer than
/// `currentVersion` and whose "url" is a string with the scheme "https" as written (lower
/// case) and a host; "notes" is used when it is a string, empty otherwise. Broken JSON,
/// another top-level value, a missing or ill-typed member, an "http", relative or file
/// address, or a version that is not newer all give nullopt.
std::optional<UpdateInfo> offer(const QByteArray &body, const QString &currentVersion);

/// True when the dotted version `candidate` is strictly greater than `current`. Missing
/// trailing parts count 0 and leading zeros mean nothing: "1.10" is newer than "1.9",
/// "2" than "1.99.99"; "1.2.0" equals "1.2". An empty part ("1..2", ".1", "", "1."),
/// a letter or a suffix ("1.2-beta", "v1") on either side makes the result false.
bool isNewer(const QString &candidate, const QString &current);

} // namespace wrenfold::core::UpdateManifest
