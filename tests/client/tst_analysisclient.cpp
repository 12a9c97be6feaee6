// SPDX-License-Identifier: MIT
#include "HttpsTestServer.h"
#include "analysis/AnalysisClient.h"
#include "analysis/SslTrust.h"

#include <QNetworkAccessManager>
#include <QTcpServer>
#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;
using namespace std::chrono_literals;
using Kind = AnalysisOutcome::Kind;

namespace {

constexpr qsizetype fourMiB = 4 * 1024 * 1024;

// An answer object whose encoding is exactly size bytes long.
QByteArray resultOfSize(qsizetype size)
{
    const QByteArray frame = R"({"result":""})";
    return QByteArray(frame).insert(11, QByteArray(size - frame.size(), 'x'));
}

} // namespace

class TestAnalysisClient final : public QObject {
    Q_OBJECT

private:
    // Posts body and waits for the one outcome.
    AnalysisOutcome exchange(AnalysisClient& client, const QByteArray& body = "{}")
    {
        QObject context;
        std::optional<AnalysisOutcome> outcome;
        int calls = 0;
        client.post(body, &context, [&](const AnalysisOutcome& o) {
            outcome = o;
            ++calls;
        });
        [&] {
            QTRY_VERIFY_WITH_TIMEOUT(outcome.has_value(), 20000);
        }();
        QCoreApplication::processEvents();
        [&] {
            QCOMPARE(calls, 1);
        }();
        return outcome.value_or(AnalysisOutcome{Kind::EmptyAnswer, u"no outcome"_s});
    }

    QNetworkAccessManager m_nam;

private slots:
    void answers_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("text");

        const QString malformed = u"响应格式错误"_s;
        QTest::addRow("result") << 200 << QByteArray(R"({"result":"· 潜台词：快点\n"})")
                                << Kind::Analysis << u"· 潜台词：快点\n"_s;
        QTest::addRow("403 with an error string")
            << 403 << QByteArray(R"({"error":"今日额度已用完"})") << Kind::ServiceError
            << u"今日额度已用完"_s;
        QTest::addRow("401 with an error string")
            << 401 << QByteArray(R"({"error":"请登录"})") << Kind::ServiceError << u"请登录"_s;
        QTest::addRow("500 with a result")
            << 500 << QByteArray(R"({"result":"r"})") << Kind::Analysis << u"r"_s;
        QTest::addRow("503 empty object")
            << 503 << QByteArray("{}") << Kind::EmptyAnswer << QString();
        QTest::addRow("404 html page") << 404 << QByteArray("<html><h1>Not Found</h1></html>")
                                       << Kind::MalformedAnswer << malformed;
        QTest::addRow("error and result")
            << 200 << QByteArray(R"({"error":"e","result":"r"})") << Kind::ServiceError << u"e"_s;
        QTest::addRow("numeric error")
            << 200 << QByteArray(R"({"error":7})") << Kind::EmptyAnswer << QString();
        QTest::addRow("null error with result")
            << 200 << QByteArray(R"({"error":null,"result":"r"})") << Kind::Analysis << u"r"_s;
        QTest::addRow("array") << 200 << QByteArray(R"(["result"])") << Kind::MalformedAnswer
                               << malformed;
        QTest::addRow("bare string")
            << 200 << QByteArray(R"("result")") << Kind::MalformedAnswer << malformed;
        QTest::addRow("html page")
            << 200 << QByteArray("<!DOCTYPE html><p>hi</p>") << Kind::MalformedAnswer << malformed;
        QTest::addRow("empty body") << 200 << QByteArray() << Kind::MalformedAnswer << malformed;
        QTest::addRow("4 MiB body is read")
            << 200 << resultOfSize(fourMiB) << Kind::Analysis << QString(fourMiB - 13, u'x');
        QTest::addRow("one byte more is abandoned")
            << 200 << resultOfSize(fourMiB + 1) << Kind::MalformedAnswer << malformed;
    }
    void answers()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(Kind, kind);
        QFETCH(QString, text);

        HttpsTestServer server;
        QVERIFY(server.listen());
        server.answer(status, body);
        AnalysisClient client(m_nam, server.url(), server.caCertificates(), 20s);
        const AnalysisOutcome outcome = exchange(client);
        QCOMPARE(outcome.kind, kind);
        QCOMPARE(outcome.text, text);
    }

    void request()
    {
        HttpsTestServer server;
        QVERIFY(server.listen());
        AnalysisClient client(m_nam, server.url(), server.caCertificates(), 20s);
        const QByteArray body =
            R"({"industry":"tech","message":"对方","myRole":" 我 ","otherRole":""})";
        exchange(client, body);

        QCOMPARE(server.requests().size(), 1);
        const HttpsTestServer::Request& request = server.requests().first();
        QCOMPARE(request.method, "POST");
        QCOMPARE(request.path, "/api/generate");
        QCOMPARE(request.header("Content-Type"), QList<QByteArray>{"application/json"});
        QCOMPARE(request.body, body);
    }

    void transportFailures_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("text");

        QTest::addRow("connection refused") << u"refuse"_s << u"Connection refused"_s;
        QTest::addRow("untrusted certificate") << u"untrusted"_s << QString();
        QTest::addRow("never answers, reads as a timeout")
            << u"hang"_s << u"Socket operation timed out"_s;
        QTest::addRow("never starts TLS, reads as a timeout")
            << u"silent"_s << u"Socket operation timed out"_s;
        QTest::addRow("closed halfway through the body") << u"truncate"_s << u"Connection closed"_s;
        QTest::addRow("closed halfway through a 403") << u"truncate403"_s << u"Connection closed"_s;
    }
    void transportFailures()
    {
        QFETCH(QString, mode);
        QFETCH(QString, text);

        HttpsTestServer server;
        QVERIFY(server.listen());
        QUrl endpoint = server.url();
        QList<QSslCertificate> trusted = server.caCertificates();
        QTcpServer silent; // accepts connections and says nothing
        if (mode == u"silent"_s) {
            QVERIFY(silent.listen(QHostAddress::LocalHost));
            endpoint.setPort(silent.serverPort());
        } else if (mode == u"refuse"_s)
            endpoint.setPort(unusedLoopbackPort());
        else if (mode == u"untrusted"_s)
            trusted.clear();
        else if (mode == u"hang"_s)
            server.hang();
        else if (mode == u"truncate"_s)
            server.answerRaw("HTTP/1.1 200 OK\r\nContent-Length: 40\r\n\r\n{\"result\":\"cut");
        else
            server.answerRaw(
                "HTTP/1.1 403 Forbidden\r\nContent-Length: 40\r\n\r\n{\"error\":\"cut");

        AnalysisClient client(m_nam, endpoint, trusted, 300ms);
        const AnalysisOutcome outcome = exchange(client);
        QCOMPARE(outcome.kind, Kind::TransportFailure);
        QVERIFY(!outcome.text.isEmpty());
        if (!text.isEmpty())
            QCOMPARE(outcome.text, text);
        if (mode == u"untrusted"_s)
            QVERIFY(server.requests().isEmpty());
    }

    void noOutcomeAfterContextIsGone()
    {
        HttpsTestServer server;
        QVERIFY(server.listen());
        server.answer(200, R"({"result":"r"})");
        AnalysisClient client(m_nam, server.url(), server.caCertificates(), 20s);
        bool called = false;
        auto context = std::make_unique<QObject>();
        client.post("{}", context.get(), [&](const AnalysisOutcome&) { called = true; });
        context.reset();
        QTRY_VERIFY_WITH_TIMEOUT(m_nam.findChildren<QNetworkReply*>().isEmpty(), 20000);
        QCoreApplication::processEvents();
        QVERIFY(!called);
    }

    void extraCasAddToSystemTrust()
    {
        const QList<QSslCertificate> system = QSslConfiguration::systemCaCertificates();
        const QList<QSslCertificate> extra = HttpsTestServer::caCertificates();
        QVERIFY(!extra.isEmpty());
        const QList<QSslCertificate> trusted = sslConfigurationTrusting(extra).caCertificates();
        for (const QSslCertificate& certificate : system + extra)
            QVERIFY(trusted.contains(certificate));
        QCOMPARE(sslConfigurationTrusting({}), QSslConfiguration::defaultConfiguration());
    }
};

QTEST_GUILESS_MAIN(TestAnalysisClient)
#include "tst_analysisclient.moc"
