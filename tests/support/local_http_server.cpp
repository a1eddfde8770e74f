// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "support/local_http_server.h"

#include <QFile>
#include <QHostAddress>
#include <QNetworkRequest>
#include <QProcess>
#include <QSslKey>
#include <QSslServer>
#include <QTcpSocket>

namespace wrenfold::testing {

LocalHttpServer::~LocalHttpServer()
{
    for (QTcpSocket *socket : m_pending.keys())
        socket->abort();
}

bool LocalHttpServer::listen()
{
    m_server = std::make_unique<QTcpServer>();
    connect(m_server.get(), &QTcpServer::newConnection, this, &LocalHttpServer::accept);
    return m_server->listen(QHostAddress::LocalHost, 0);
}

bool LocalHttpServer::listenWithTestCertificate(const QString &folder)
{
    const QString keyPath = folder + QStringLiteral("/server.key");
    const QString certificatePath = folder + QStringLiteral("/server.crt");
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  QStringLiteral("req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 "
                                 "-nodes -days 2 -subj /CN=127.0.0.1 "
                                 "-addext subjectAltName=IP:127.0.0.1")
                          .split(u' ') +
                      QStringList{QStringLiteral("-keyout"), keyPath, QStringLiteral("-out"),
                                  certificatePath});
    QFile keyFile(keyPath), certificateFile(certificatePath);
    if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0 ||
        !keyFile.open(QIODevice::ReadOnly) || !certificateFile.open(QIODevice::ReadOnly))
        return false;
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    m_certificate = QSslCertificate(&certificateFile);
    tls.setLocalCertificate(m_certificate);
    tls.setPrivateKey(QSslKey(&keyFile, QSsl::Ec));
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);

    auto server = std::make_unique<QSslServer>();
    server->setSslConfiguration(tls);
    m_server = std::move(server);
    m_tls = true;
    // QSslServer hands out a connection only once its handshake finished.
    connect(m_server.get(), &QTcpServer::pendingConnectionAvailable, this,
            &LocalHttpServer::accept);
    return !m_certificate.isNull() && m_server->listen(QHostAddress::LocalHost, 0);
}

QUrl LocalHttpServer::url(const QString &path) const
{
    QUrl result;
    result.setScheme(m_tls ? QStringLiteral("https") : QStringLiteral("http"));
    result.setHost(QStringLiteral("127.0.0.1"));
    result.setPort(m_server->serverPort());
    result.setPath(path);
    return result;
}

void LocalHttpServer::setResponse(const QByteArray &path, Response response)
{
    m_responses.insert(path, std::move(response));
}

void LocalHttpServer::accept()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        m_pending.insert(socket, {});
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
        if (socket->bytesAvailable() > 0)
            readFrom(socket);
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_pending.remove(socket);
            m_answered.remove(socket);
            socket->deleteLater();
        });
    }
}

void LocalHttpServer::readFrom(QTcpSocket *socket)
{
    if (m_answered.contains(socket)) {
        socket->readAll(); // one request per connection; anything later is ignored
        return;
    }
    QByteArray &buffer = m_pending[socket];
    buffer += socket->readAll();
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    m_answered.insert(socket);

    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    Request request{requestLine.value(1), {}};
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                   lines[i].mid(colon + 1).trimmed());
    }
    m_requests.append(request);
    emit requestReceived(request.path);

    const Response response = m_responses.value(request.path, Response(404, "no such path"));
    if (response.behaviour == Behaviour::neverAnswer)
        return;

    // Clients go by the code; the reason phrase is the same for all.
    QByteArray head =
        "HTTP/1.1 " + QByteArray::number(response.status) + " Status\r\nConnection: close\r\n";
    for (auto it = response.headers.cbegin(); it != response.headers.cend(); ++it)
        head += it.key() + ": " + it.value() + "\r\n";
    if (!response.headers.contains("Content-Length"))
        head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    head += "\r\n";

    if (response.behaviour == Behaviour::stallAfterHeaders) {
        socket->write(head + response.body.left(response.body.size() / 2));
        return;
    }
    socket->write(head + response.body);
    socket->disconnectFromHost();
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
