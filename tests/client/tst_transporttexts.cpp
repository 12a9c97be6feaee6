// SPDX-License-Identifier: MIT
// Runs under a Chinese locale: transport failures must reach the user in Chinese.
#include "HttpsTestServer.h"
#include "analysis/AnalysisClient.h"
#include "analysis/QtTranslations.h"

#include <QNetworkAccessManager>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace std::chrono_literals;

class TestTransportTexts final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(QLocale().name(), u"zh_CN"_s);
        installQtTranslations(*QCoreApplication::instance());
    }

    void texts_data()
    {
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<QString>("text");

        QTest::addRow("connection refused") << true << u"连接被拒绝"_s;
        // Qt itself would say 操作被取消, as if the user had cancelled.
        QTest::addRow("timeout") << false << u"套接字操作超时"_s;
    }
    void texts()
    {
        QFETCH(bool, refuse);
        QFETCH(QString, text);

        HttpsTestServer server;
        QVERIFY(server.listen());
        server.hang();
        QUrl endpoint = server.url();
        if (refuse)
            endpoint.setPort(unusedLoopbackPort());
        AnalysisClient client(m_nam, endpoint, server.caCertificates(), 300ms);

        std::optional<AnalysisOutcome> outcome;
        client.post("{}", this, [&](const AnalysisOutcome& o) { outcome = o; });
        QTRY_VERIFY_WITH_TIMEOUT(outcome.has_value(), 20000);
        QCOMPARE(outcome->kind, AnalysisOutcome::Kind::TransportFailure);
        QCOMPARE(outcome->text, text);
    }

private:
    QNetworkAccessManager m_nam;
};

QTEST_GUILESS_MAIN(TestTransportTexts)
#include "tst_transporttexts.moc"
