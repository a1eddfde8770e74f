// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "platform/archive.h"
#include "platform/bundle_signature.h"
#include "platform/minisign.h"
#include "support/local_http_server.h"
#include "support/test_support.h"
#include "update/self_updater.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
        if (!server.listenWithTestCertificate(dir.path()))
            return false;
        session = std::make_unique<TrustingNetworkManager>(server.certificate());
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

    /// Serves a signed release "<name>.zip" of `Wrenfold.AppDir`; `change` may alter the
    /// bundle after signing.
    QString release(const QString &name, const std::function<void(const QString &)> &change = {})
    {
        const QString bundle = dir.filePath(name + QStringLiteral("/Wrenfold.AppDir"));
        makeBundle(bundle, "new");
        platform::BundleSignature::sign(bundle, keys.secretKey, QStringLiteral("Wrenfold 2.0"));
        if (change)
            change(bundle);
        return pack(name, bundle);
    }

    /// Zips `folder` under its own name and serves the archive at "/<name>.zip".
    QString pack(const QString &name, const QString &folder)
    {
        const QString archive = dir.filePath(name + QStringLiteral(".zip"));
        platform::Archive::create(archive, folder);
        serve(name, readFile(archive));
        return archive;
    }

    void serve(const QString &name, const QByteArray &bytes, int status = 200)
    {
        server.setResponse("/" + name.toUtf8() + ".zip", {status, bytes});
    }

    core::UpdateInfo offer(const QString &name) const
    {
        return {QStringLiteral("2.0"), server.url(u'/' + name + QStringLiteral(".zip")), {}};
    }

    /// Runs one installation and waits for its single answer.
    std::optional<update::SelfUpdater::Failure> install(const core::UpdateInfo &info)
    {
        QObject context;
        bool answered = false;
        std::optional<update::SelfUpdater::Failure> result;
        update::SelfUpdater::install(info, *session, installSettings, &context, [&](auto failure) {
            answered = true;
            result = std::move(failure);
        });
        EXPECT_TRUE(waitUntil([&] { return answered; }, 60000)) << "the installer never answered";
        return result;
    }

    /// A stand-in for the running app that lives until `quitApp`; the swap waits for it.
    void startApp()
    {
        runningApp.start(QStringLiteral("sleep"), {QStringLiteral("600")});
        EXPECT_TRUE(runningApp.waitForStarted());
        installSettings.processId = runningApp.processId();
    }

    void quitApp()
    {
        runningApp.kill();
        runningApp.waitForFinished(); // reaped, so the script's `kill -0` sees it gone
    }

    bool installedUntouched() const
    {
        const auto now = platform::BundleSignature::fileList(installed);
        return now && *now == installedList && !QFile::exists(installed + QStringLiteral(".bak"));
    }

    QTemporaryDir dir;
    LocalHttpServer server;
    std::unique_ptr<TrustingNetworkManager> session;
    platform::Minisign::KeyPair keys = platform::Minisign::generateKeyPair();
    update::SelfUpdater::Settings installSettings;
    QString marker;
    QString installed;
    QByteArray installedList;
    QProcess runningApp;
};

} // namespace wrenfold::testing
