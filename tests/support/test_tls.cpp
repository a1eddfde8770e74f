// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "support/test_tls.h"

#include <QFile>
#include <QNetworkRequest>
#include <QProcess>
#include <QSslKey>

namespace wrenfold::testing {

std::optional<TestTls> makeTestTls(const QString &folder)
{
    const QString keyPath = folder + QStringLiteral("/server.key");
    const QString certificatePath = folder + QStringLiteral("/server.crt");
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                   QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                   QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                   QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-addext"),
                   QStringLiteral("subjectAltName=IP:127.0.0.1"), QStringLiteral("-keyout"),
                   keyPath, QStringLiteral("-out"), certificatePath});
    if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0)
        return std::nullopt;
    QFile keyFile(keyPath);
    QFile certificateFile(certificatePath);
    if (!keyFile.open(QIODevice::ReadOnly) || !certificateFile.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QSslKey key(&keyFile, QSsl::Ec);
    const QSslCertificate certificate(&certificateFile);
    if (key.isNull() || certificate.isNull())
        return std::nullopt;
    TestTls tls;
    tls.certificate = certificate;
    tls.server = QSslConfiguration::defaultConfiguration();
    tls.server.setLocalCertificate(certificate);
    tls.server.setPrivateKey(key);
    tls.server.setPeerVerifyMode(QSslSocket::VerifyNone);
    return tls;
}

QNetworkReply *TrustingNetworkManager::createRequest(Operation operation,
                                                     const QNetworkRequest &request,
                                                     QIODevice *outgoingData)
{
    QNetworkRequest trusting(request);
    QSslConfiguration tls = trusting.sslConfiguration();
    tls.setCaCertificates({m_certificate});
    trusting.setSslConfiguration(tls);
    return QNetworkAccessManager::createRequest(operation, trusting, outgoingData);
}

} // namespace wrenfold::testing
