// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QNetworkAccessManager>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QString>

#include <optional>

namespace wrenfold::testing {

/// A self-signed certificate for 127.0.0.1 and the server side that presents it.
struct TestTls {
    QSslConfiguration server;
    QSslCertificate certificate;
};

/// Makes a fresh key and certificate with the openssl tool in `folder`; nullopt when the
/// tool is missing or fails.
std::optional<TestTls> makeTestTls(const QString &folder);

/// A network manager that trusts `certificate` and nothing else, so only this test's
/// server is accepted and the process-wide defaults stay untouched.
class TrustingNetworkManager : public QNetworkAccessManager {
public:
    explicit TrustingNetworkManager(QSslCertificate certificate)
        : m_certificate(std::move(certificate))
    {}

protected:
    QNetworkReply *createRequest(Operation operation, const QNetworkRequest &request,
                                 QIODevice *outgoingData) override;

private:
    QSslCertificate m_certificate;
};

} // namespace wrenfold::testing
