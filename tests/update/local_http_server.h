// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

namespace wrenfold::testing {

/// A tiny HTTP/1.1 server on 127.0.0.1 for tests: canned responses by path, one request per
/// connection, every request recorded. Runs on the test's event loop.
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
        QByteArray method;
        QByteArray path;
        QMap<QByteArray, QByteArray> headers; ///< names in lower case
    };

    explicit LocalHttpServer(QObject *parent = nullptr);
    ~LocalHttpServer() override;

    /// Listens on a free port of 127.0.0.1; false when that fails.
    bool listen();
    /// "http://127.0.0.1:<port><path>".
    QUrl url(const QString &path) const;
    /// What `path` answers; an unknown path answers 404.
    void setResponse(const QByteArray &path, Response response);
    const QList<Request> &requests() const { return m_requests; }

private:
    void accept();
    void readFrom(QTcpSocket *socket);

    QTcpServer m_server;
    QHash<QByteArray, Response> m_responses;
    QHash<QTcpSocket *, QByteArray> m_pending;
    QSet<QTcpSocket *> m_answered;
    QList<Request> m_requests;
};

} // namespace wrenfold::testing
