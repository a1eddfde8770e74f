// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "update/updater.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QObject>
#include <QPointer>
#include <QTimer>

namespace wrenfold::update::Updater {

namespace {

std::optional<core::UpdateInfo> evaluate(QNetworkReply &reply, const QString &currentVersion)
{
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply.error() != QNetworkReply::NoError || status != 200)
        return std::nullopt;
    const QByteArray body = reply.read(maximumManifestBytes + 1);
    if (body.size() > maximumManifestBytes)
        return std::nullopt;
    return core::UpdateManifest::offer(body, currentVersion);
}

} // namespace

QUrl manifestAddress()
{
    return QUrl(QStringLiteral(WRENFOLD_UPDATE_MANIFEST_URL));
}

void check(const QUrl &manifest, const QString &currentVersion, QNetworkAccessManager &session,
           QObject *context, CheckHandler done, std::chrono::milliseconds timeout)
{
    QNetworkRequest request(manifest);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);

    QNetworkReply *reply = session.get(request);

    // A deadline for the whole exchange, not only for a silent connection, so a server
    // that trickles bytes cannot hold the check open either.
    auto *deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    deadline->start(timeout);

    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [reply](qint64 received, qint64 total) {
                         if (received > maximumManifestBytes || total > maximumManifestBytes)
                             reply->abort();
                     });

    QObject::connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
    QObject::connect(
        reply, &QNetworkReply::finished, reply,
        [reply, currentVersion, done = std::move(done), hasContext = context != nullptr,
         receiver = QPointer<QObject>(context)] {
            std::optional<core::UpdateInfo> offer = evaluate(*reply, currentVersion);
            if (!hasContext) {
                done(std::move(offer));
                return;
            }
            if (receiver)
                QMetaObject::invokeMethod(receiver, [done, offer] { done(offer); });
        },
        Qt::SingleShotConnection);
}

} // namespace wrenfold::update::Updater
