// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "platform/archive.h"
#include "platform/bundle_signature.h"
#include "platform/minisign.h"
#include "support/local_http_server.h"
#include "support/test_support.h"
#include "support/test_tls.h"
#include "update/self_updater.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>
#include <optional>

namespace wrenfold::testing {

/// An installed bundle in a writable folder, an HTTPS server on 127.0.0.1 with a
/// certificate made for this test, a network manager that trusts only that certificate,
/// and a signing key. Each bundle's AppRun appends its tag to `marker` when started.
class UpdateWorld {
public:
    bool setUp()
    {
        tls = makeTestTls(dir.path());
        if (!tls || !server.listen(tls->server))
            return false;
        session = std::make_unique<TrustingNetworkManager>(tls->certificate);
        marker = dir.filePath(QStringLiteral("started.txt"));
        installed = dir.filePath(QStringLiteral("apps/Wrenfold.AppDir"));
        makeBundle(installed, "old");
        installedList = *platform::BundleSignature::fileList(installed);
        installSettings.bundlePath = installed;
        installSettings.publicKey = platform::Minisign::encodePublicKey(keys.publicKey);
        installSettings.workRoot = dir.filePath(QStringLiteral("work"));
        installSettings.unpackLimits.maximumBytes = 4 << 20;
        return QDir().mkpath(installSettings.workRoot);
    }

    /// A bundle whose AppRun records `tag` in the marker file.
    void makeBundle(const QString &bundle, const QByteArray &tag) const
    {
        const QString appRun = bundle + QStringLiteral("/AppRun");
        writeFile(appRun, "#!/bin/sh\necho " + tag + " >> '" + QFile::encodeName(marker) + "'\n");
        QFile::setPermissions(appRun, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        writeFile(bundle + QStringLiteral("/usr/bin/wrenfold"), "binary " + tag);
    }

    /// A signed release "<name>.zip" holding `Wrenfold.AppDir`; `before` may change the
    /// staged folder (whose top is given) before packing, `after` the signed bundle.
    QString release(const QString &name, const std::function<void(const QString &)> &before = {},
                    const std::function<void(const QString &)> &after = {})
    {
        const QString stage = dir.filePath(QStringLiteral("stage-") + name);
        const QString bundle = stage + QStringLiteral("/Wrenfold.AppDir");
        makeBundle(bundle, "new");
        if (before)
            before(stage);
        platform::BundleSignature::sign(bundle, keys.secretKey, QStringLiteral("Wrenfold 2.0"));
        if (after)
            after(bundle);
        return pack(name, stage);
    }

    /// Zips every top-level item of `stage` and serves the archive at "/<name>.zip".
    QString pack(const QString &name, const QString &stage)
    {
        const QString archive = dir.filePath(name + QStringLiteral(".zip"));
        QFile::remove(archive);
        const auto items = QDir(stage).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        // One archive per top-level item would need merging; the fixtures have exactly one.
        if (items.size() == 1)
            platform::Archive::create(archive, stage + u'/' + items.first());
        serve(name, readFile(archive));
        return archive;
    }

    void serve(const QString &name, const QByteArray &bytes, int status = 200)
    {
        server.setResponse("/" + slug(name).toUtf8() + ".zip", {status, bytes});
    }

    core::UpdateInfo offer(const QString &name) const
    {
        return {QStringLiteral("2.0"), server.url(u'/' + slug(name) + QStringLiteral(".zip")), {}};
    }

    /// Case names as address paths.
    static QString slug(QString name) { return name.replace(u' ', u'-'); }

    /// Runs one installation and waits for its single answer.
    std::optional<update::SelfUpdater::Failure> install(const core::UpdateInfo &info)
    {
        QObject context;
        bool answered = false;
        std::optional<update::SelfUpdater::Failure> result;
        update::SelfUpdater::install(info, *session, installSettings, &context,
                                     [&](std::optional<update::SelfUpdater::Failure> failure) {
                                         answered = true;
                                         result = std::move(failure);
                                     });
        if (!waitUntil([&] { return answered; }, 60000))
            return update::SelfUpdater::Failure{update::SelfUpdater::UpdateError::system,
                                                QStringLiteral("no answer")};
        return result;
    }

    /// Runs a tool with its output discarded; true when it ended with status 0.
    static bool run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(program, arguments);
        return process.waitForFinished(60000) && process.exitCode() == 0;
    }

    bool installedUntouched() const
    {
        const auto now = platform::BundleSignature::fileList(installed);
        return now && *now == installedList && !QFile::exists(installed + QStringLiteral(".bak"));
    }

    QTemporaryDir dir;
    std::optional<TestTls> tls;
    LocalHttpServer server;
    std::unique_ptr<TrustingNetworkManager> session;
    platform::Minisign::KeyPair keys = platform::Minisign::generateKeyPair();
    update::SelfUpdater::Settings installSettings;
    QString marker;
    QString installed;
    QByteArray installedList;
};

} // namespace wrenfold::testing
