// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "update/self_updater.h"

#include "platform/bundle_signature.h"
#include "platform/minisign.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFuture>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QProcess>
#include <QSaveFile>
#include <QtConcurrent/QtConcurrentRun>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace wrenfold::update::SelfUpdater {

namespace {

constexpr int transferTimeoutMs = 60000;

Failure fail(UpdateError error, const QString &detail)
{
    return Failure{error, detail};
}

/// A new folder only this user can enter, created under a name nobody could have
/// prepared: a fixed name in a shared temporary folder could be a planted link.
std::optional<QString> makeWorkFolder(const QString &workRoot)
{
    QString root = workRoot;
    if (root.isEmpty()) {
        root = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (root.isEmpty() || !QFileInfo(root).isDir())
            root = QDir::tempPath();
    }
    QByteArray pattern = QFile::encodeName(root + u"/wrenfold-update-XXXXXX"_s);
    if (!::mkdtemp(pattern.data()))
        return std::nullopt;
    return QFile::decodeName(pattern);
}

/// The first top-level "*.AppDir" folder (by name) that has an AppRun file.
std::optional<QString> findBundle(const QString &unpacked)
{
    const QFileInfoList items = QDir(unpacked).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &item : items) {
        if (!item.fileName().endsWith(u".AppDir"_s) || item.isSymLink() || !item.isDir())
            continue;
        const QFileInfo appRun(item.filePath() + u"/AppRun"_s);
        if (appRun.isFile() && !appRun.isSymLink() && appRun.isExecutable())
            return item.filePath();
        return std::nullopt;
    }
    return std::nullopt;
}

/// Unpacks and verifies; runs on a worker thread. The new bundle's path on success.
std::variant<QString, Failure> unpackAndVerify(const QString &archive, const QString &work,
                                               const Settings &settings)
{
    const QString unpacked = work + u"/unpacked"_s;
    if (::mkdir(QFile::encodeName(unpacked).constData(), 0700) != 0)
        return fail(UpdateError::system, QString::fromLocal8Bit(std::strerror(errno)));
    if (core::Status error = platform::Archive::extract(archive, unpacked, settings.unpackLimits))
        return fail(UpdateError::unpack, error->message);
    const std::optional<QString> bundle = findBundle(unpacked);
    if (!bundle)
        return fail(UpdateError::notFound, unpacked);
    const auto key = platform::Minisign::parsePublicKey(settings.publicKey);
    if (!key || !platform::BundleSignature::verify(*bundle, *key))
        return fail(UpdateError::badSignature, *bundle);
    return *bundle;
}

std::optional<Failure> launchSwap(const QString &work, const QString &newApp, const QString &dest,
                                  qint64 processId)
{
    const QString script = work + u"/swap.sh"_s;
    QSaveFile file(script);
    const QByteArray text = swapScript();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        return fail(UpdateError::system, file.errorString());
    if (!QProcess::startDetached(u"/bin/sh"_s, {script, newApp, dest, QString::number(processId)}))
        return fail(UpdateError::system, u"/bin/sh could not be started"_s);
    return std::nullopt;
}

} // namespace

QString Settings::runningBundle(const QProcessEnvironment &environment)
{
    const QString announced = environment.value(u"APPDIR"_s);
    if (announced.isEmpty())
        return {};
    const QString bundle = QFileInfo(announced).canonicalFilePath();
    const QString executable =
        QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    if (bundle.isEmpty() || !executable.startsWith(bundle + u'/'))
        return {};
    return bundle;
}

std::optional<Failure> checkLocation(const QString &bundle)
{
    const QFileInfo info(bundle);
    if (bundle.isEmpty() || !info.isDir())
        return fail(UpdateError::readOnlyLocation, u"not running from a bundle"_s);
    const QString path = info.absoluteFilePath();
    if (path.contains(u"/.mount_"_s))
        return fail(UpdateError::readOnlyLocation, u"inside a mounted AppImage"_s);
    struct statvfs volume {};
    // A file system that cannot be asked counts as writable; the parent check still holds.
    if (::statvfs(QFile::encodeName(path).constData(), &volume) == 0 && (volume.f_flag & ST_RDONLY))
        return fail(UpdateError::readOnlyLocation, u"read-only file system"_s);
    if (::access(QFile::encodeName(info.absolutePath()).constData(), W_OK) != 0)
        return fail(UpdateError::readOnlyLocation, u"parent folder not writable"_s);
    return std::nullopt;
}

QByteArray swapScript()
{
    // Paths arrive as arguments and are always quoted; "--" keeps them from reading as
    // options. A partial copy is removed before the backup goes back.
    return QByteArrayLiteral("#!/bin/sh\n"
                             "new=\"$1\"\n"
                             "dest=\"$2\"\n"
                             "while kill -0 \"$3\" 2>/dev/null; do sleep 0.2; done\n"
                             "if rm -rf -- \"$dest.bak\" && mv -- \"$dest\" \"$dest.bak\"; then\n"
                             "  if cp -a -- \"$new\" \"$dest\" 2>/dev/null; then\n"
                             "    rm -rf -- \"$dest.bak\"\n"
                             "  else\n"
                             "    rm -rf -- \"$dest\"\n"
                             "    mv -- \"$dest.bak\" \"$dest\"\n"
                             "  fi\n"
                             "fi\n"
                             "if command -v setsid >/dev/null 2>&1; then\n"
                             "  setsid \"$dest/AppRun\" </dev/null >/dev/null 2>&1 &\n"
                             "else\n"
                             "  \"$dest/AppRun\" </dev/null >/dev/null 2>&1 &\n"
                             "fi\n");
}

void install(const core::UpdateInfo &info, QNetworkAccessManager &session, const Settings &settings,
             QObject *context, InstallHandler done)
{
    const QPointer<QObject> receiver(context);
    auto finish = [receiver, done](std::optional<Failure> failure) {
        if (receiver)
            QMetaObject::invokeMethod(
                receiver, [done, failure] { done(failure); }, Qt::QueuedConnection);
    };

    if (std::optional<Failure> location = checkLocation(settings.bundlePath))
        return finish(location);
    const QUrl &url = info.downloadURL;
    if (url.scheme() != u"https"_s || url.host().isEmpty())
        return finish(fail(UpdateError::download, u"not an https address"_s));
    const std::optional<QString> work = makeWorkFolder(settings.workRoot);
    if (!work)
        return finish(fail(UpdateError::system, u"no work folder"_s));

    const QString archivePath = *work + u"/update.zip"_s;
    auto file = std::make_shared<QFile>(archivePath);
    if (!file->open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return finish(fail(UpdateError::system, file->errorString()));

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(transferTimeoutMs);
    QNetworkReply *reply = session.get(request);

    auto problem = std::make_shared<QString>();
    const qint64 maximum = settings.maximumDownloadBytes;
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, file, problem, maximum] {
        const QByteArray chunk = reply->readAll();
        if (file->size() + chunk.size() > maximum)
            *problem = u"download too large"_s;
        else if (file->write(chunk) != chunk.size())
            *problem = file->errorString();
        if (!problem->isEmpty())
            reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
    QObject::connect(
        reply, &QNetworkReply::finished, reply,
        [reply, file, problem, finish, settings, archivePath, work = *work, receiver] {
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            const QByteArray rest = reply->readAll();
            if (problem->isEmpty() && file->size() + rest.size() > settings.maximumDownloadBytes)
                *problem = u"download too large"_s;
            const bool written = file->write(rest) == rest.size() && file->flush();
            file->close();
            if (!problem->isEmpty() || reply->error() != QNetworkReply::NoError || status != 200 ||
                !written)
                return finish(fail(UpdateError::download,
                                   problem->isEmpty() ? reply->errorString() : *problem));
            if (!receiver)
                return;
            QtConcurrent::run(unpackAndVerify, archivePath, work, settings)
                .then(receiver.get(), [finish, settings,
                                       work](const std::variant<QString, Failure> &result) {
                    if (const Failure *failure = std::get_if<Failure>(&result))
                        return finish(*failure);
                    const qint64 pid = settings.processId ? settings.processId
                                                          : QCoreApplication::applicationPid();
                    const QString dest =
                        QDir::cleanPath(QFileInfo(settings.bundlePath).absoluteFilePath());
                    finish(launchSwap(work, std::get<QString>(result), dest, pid));
                });
        },
        Qt::SingleShotConnection);
}

} // namespace wrenfold::update::SelfUpdater
