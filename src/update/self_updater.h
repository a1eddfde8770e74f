// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/update_info.h"
#include "platform/archive.h"

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>

#include <functional>
#include <optional>

class QNetworkAccessManager;
class QObject;

namespace wrenfold::update::SelfUpdater {

enum class UpdateError {
    download,         ///< not https, transport failure, a status other than 200, too large
    unpack,           ///< damaged archive, or an entry or size the unpacker refuses
    notFound,         ///< no top-level "*.AppDir" folder with an AppRun
    badSignature,     ///< unsigned, another key, or changed after signing
    readOnlyLocation, ///< the running bundle cannot be replaced where it lies
    system,           ///< a work folder, script or process could not be made
};

struct Failure {
    UpdateError error;
    QString detail; ///< for diagnostics only; users see one fixed message
};

/// Where and how an installation runs.
struct Settings {
    /// The running application's AppDir; empty when it does not run from one.
    QString bundlePath;
    /// Base64 minisign public key that the new bundle must be signed with; an empty or
    /// malformed key refuses every bundle.
    QByteArray publicKey = QByteArrayLiteral(WRENFOLD_UPDATE_PUBLIC_KEY);
    platform::Archive::Limits unpackLimits;
    qint64 maximumDownloadBytes = qint64(1) << 30;
    /// Where the private work folder is made; empty means $XDG_RUNTIME_DIR, or the
    /// temporary folder when that is unset.
    QString workRoot;
    /// The process the swap waits for; 0 means this one.
    qint64 processId = 0;

    /// The AppDir that AppRun announced in APPDIR, when this executable lies inside it.
    static QString runningBundle(const QProcessEnvironment &environment);
};

/// Called once: nullopt when the swap script runs and the caller must quit now.
using InstallHandler = std::function<void(std::optional<Failure>)>;

/// Checks the location, downloads `info.downloadURL` into a fresh private work folder
/// (mode 0700, never reused), unpacks it and verifies the top-level AppDir's signature
/// off the calling thread, then starts the swap script and reports success. Every
/// failure leaves the installed bundle untouched and the work folder where it is.
/// `done` runs later on `context`'s thread, never inside this call, and not at all once
/// `context` is gone.
void install(const core::UpdateInfo &info, QNetworkAccessManager &session, const Settings &settings,
             QObject *context, InstallHandler done);

/// `readOnlyLocation` when `bundle` is missing, lies on a read-only file system or in a
/// mounted AppImage ("/.mount_"), or its parent folder is not writable.
std::optional<Failure> checkLocation(const QString &bundle);

/// The swap script run by /bin/sh with the new bundle, the installed bundle and the
/// process id as its arguments: waits for the process to end, moves the installed bundle
/// to "<installed>.bak", copies the new one with `cp -a`, puts the backup back when the
/// copy fails, and starts the installed AppRun detached in either case.
QByteArray swapScript();

} // namespace wrenfold::update::SelfUpdater
