// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/update_info.h"
#include "core/update_manifest.h"

#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>
#include <optional>

class QNetworkAccessManager;
class QObject;

namespace wrenfold::update::Updater {

/// How long a manifest request may take in all before it counts as "no update".
inline constexpr std::chrono::milliseconds manifestTimeout{std::chrono::seconds(10)};

/// A manifest larger than this is not a manifest; the request is dropped.
inline constexpr qint64 maximumManifestBytes = 1024 * 1024;

/// The manifest address fixed at build time (an https address ending in
/// "/wrenfold/latest.json").
QUrl manifestAddress();

/// Called once with the offered update, or nullopt for "no update".
using CheckHandler = std::function<void(std::optional<core::UpdateInfo>)>;

/// Fetches `manifest` with a GET that bypasses every cache and hands the offer to `done`
/// when the response has status exactly 200 and its body is a valid manifest offering a
/// version newer than `currentVersion` (see UpdateManifest::offer). Every failure -- no
/// connection, refused, time-out after `timeout`, another status, a body over
/// `maximumManifestBytes`, bad JSON -- gives nullopt; nothing is reported or logged.
/// `done` runs later, never inside this call: on `context`'s thread, or on the session's
/// when `context` is null; not at all once `context` or `session` has been destroyed.
void check(const QUrl &manifest, const QString &currentVersion, QNetworkAccessManager &session,
           QObject *context, CheckHandler done,
           std::chrono::milliseconds timeout = manifestTimeout);

/// Version ordering of the manifest check: "1.10" is newer than "1.9"; "1.2.0" equals
/// "1.2"; "1.2-beta" is not a version, so nothing is newer or older than it.
using core::UpdateManifest::isNewer;

} // namespace wrenfold::update::Updater
