// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QSslServer>
#include <QString>
#include <QUrl>

#include <optional>

// A loopback HTTPS service for tests. It listens on 127.0.0.1 on a free port with a
// certificate for 127.0.0.1 and localhost, signed by a throwaway CA that openssl makes on
// first use in a temporary directory (one per test process). Clients trust it through
// caCertificates(), with verification on as in the product.
//
//     HttpsTestServer server;
//     QVERIFY(server.listen());
//     server.answer(403, R"({"error":"no"})");
//     AnalysisClient client(nam, server.url(), server.caCertificates(), 5s);
//     ... QTRY_COMPARE(server.requests().size(), 1);
//
// Every request is recorded, then answered as last configured: answer() (the default is
// 200 with "{}"), answerRaw() or hang(). Each answer closes its connection.
class HttpsTestServer final : public QObject {
    Q_OBJECT

public:
    struct Request {
        QByteArray method;
        QByteArray path;
        QList<std::pair<QByteArray, QByteArray>> headers; // as sent, in order
        QByteArray body;

        // Values of the headers named so, compared case-insensitively.
        QList<QByteArray> header(const QByteArray& name) const;
    };

    explicit HttpsTestServer(QObject* parent = nullptr);

    // False when the certificates could not be made or no port was free.
    bool listen();
    // https://127.0.0.1:<port><path>
    QUrl url(const QString& path = QStringLiteral("/api/generate")) const;

    static QList<QSslCertificate> caCertificates();
    // The same CA as a PEM file, for tools that take a path.
    static QString caFile();

    // A response with this status and body (and Content-Length, Connection: close).
    void answer(int status, const QByteArray& body);
    // Exactly these bytes, then the connection closes: for broken answers.
    void answerRaw(const QByteArray& bytes);
    // Read the request, then keep the connection open and never answer.
    void hang();

    const QList<Request>& requests() const { return m_requests; }

signals:
    void requestReceived();

private:
    void serve(QTcpSocket* socket);
    void respond(QTcpSocket* socket);

    QSslServer m_server;
    std::optional<QByteArray> m_response; // none: hang
    QList<Request> m_requests;
};

// A loopback port nothing listens on, for refused connections.
quint16 unusedLoopbackPort();
