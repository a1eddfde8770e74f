// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QNetworkAccessManager>
#include <QObject>
#include <QSet>
#include <QSslCertificate>
#include <QString>
#include <QTcpServer>
#include <QUrl>

#include <memory>

class QTcpSocket;

namespace wrenfold::testing {

/// A tiny HTTP/1.1 server on 127.0.0.1 for tests: canned responses by path, one request per
/// connection, every request recorded. Runs on the test's event loop; speaks TLS when
/// listening with a certificate.
class LocalHttpServer : public QObject {
    Q_OBJECT
public:
    enum class Behaviour {
        answer,           ///< status line, headers and the whole body, then close
        neverAnswer,      ///< read the request and stay silent with the connection open
        stallAfterHeaders ///< headers announcing the body and its first bytes, then silence
    };

    struct Response {
        Response() = default;
        Response(int status, QByteArray body, QMap<QByteArray, QByteArray> headers = {},
                 Behaviour behaviour = Behaviour::answer)
            : status(status), body(std::move(body)), headers(std::move(headers)),
              behaviour(behaviour)
        {}

        int status = 200;
        QByteArray body;
        QMap<QByteArray, QByteArray> headers;
        Behaviour behaviour = Behaviour::answer;
    };

    struct Request {
        QByteArray path;
        QMap<QByteArray, QByteArray> headers; ///< names in lower case
    };

    explicit LocalHttpServer(QObject *parent = nullptr) : QObject(parent) {}
    ~LocalHttpServer() override;

    /// Listens on a free port of 127.0.0.1; false when that fails.
    bool listen();
    /// The same over TLS, with a key and certificate for 127.0.0.1 made by the openssl
    /// tool in `folder`; false when the tool is missing or fails.
    bool listenWithTestCertificate(const QString &folder);
    const QSslCertificate &certificate() const { return m_certificate; }
    /// "http://127.0.0.1:<port><path>", or "https://..." when listening over TLS.
    QUrl url(const QString &path) const;
    /// What `path` answers; an unknown path answers 404.
    void setResponse(const QByteArray &path, Response response);
    Response responseFor(const QByteArray &path) const { return m_responses.value(path); }
    const QList<Request> &requests() const { return m_requests; }

signals:
    /// A request was read, before it is answered.
    void requestReceived(const QByteArray &path);

private:
    void accept();
    void readFrom(QTcpSocket *socket);

    std::unique_ptr<QTcpServer> m_server;
    bool m_tls = false;
    QSslCertificate m_certificate;
    QHash<QByteArray, Response> m_responses;
    QHash<QTcpSocket *, QByteArray> m_pending;
    QSet<QTcpSocket *> m_answered;
    QList<Request> m_requests;
};

/// A network manager that trusts `certificate` and nothing else, so only the test's own
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
