// SPDX-License-Identifier: MIT
#include "HttpsTestServer.h"
#include "analysis/AnalysisClient.h"
#include "analysis/Analyze.h"
#include "analysis/EncodeBody.h"

#include <QNetworkAccessManager>
#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;
using namespace std::chrono_literals;

class TestAnalyze final : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_server = std::make_unique<HttpsTestServer>();
        QVERIFY(m_server->listen());
        m_server->answer(200, R"({"result":"· 潜台词：快点\nA【稳】：好的 → 先答应\n"})");
    }

    void nothingToSendChangesNothing()
    {
        PanelState state;
        state.otherMsg = u" \n\t"_s;
        state.errorMsg = u"earlier"_s;
        AnalysisClient client(m_nam, m_server->url(), m_server->caCertificates(), 20s);
        int changes = 0;
        analyze(state, client, this, [&] { ++changes; });
        QCoreApplication::processEvents();
        QCOMPARE(changes, 0);
        QVERIFY(!state.loading);
        QCOMPARE(state.errorMsg, std::optional(u"earlier"_s));
        QVERIFY(m_server->requests().isEmpty());
    }

    void runsThenSucceeds()
    {
        PanelState state;
        state.otherMsg = u"  周五前交 \n"_s;
        state.myRole = u" 实习生"_s;
        state.otherRole = QString();
        state.industry = u"tech"_s;
        state.errorMsg = u"earlier"_s;
        AnalysisClient client(m_nam, m_server->url(), m_server->caCertificates(), 20s);

        QList<PanelState> seen;
        analyze(state, client, this, [&] { seen.append(state); });
        QCOMPARE(seen.size(), 1);
        QVERIFY(state.loading);
        QVERIFY(!state.errorMsg);
        QVERIFY(!state.result);
        // Edits after the start do not reach the request.
        state.otherMsg = u"changed"_s;

        QTRY_COMPARE_WITH_TIMEOUT(seen.size(), 2, 20000);
        QVERIFY(!state.loading);
        QVERIFY(!state.errorMsg);
        QVERIFY(state.result);
        QCOMPARE(state.result->subtext, std::optional(u"快点"_s));
        QCOMPARE(state.result->replies.size(), 1);
        QCOMPARE(state.result->replies.first().tactic, u"先答应"_s);

        QCOMPARE(m_server->requests().size(), 1);
        QCOMPARE(m_server->requests().first().body,
                 encodeBody(u" 实习生"_s, QString(), u"对方发来的消息：\n周五前交"_s, u"tech"_s));
    }

    void failureClearsAnEarlierResult()
    {
        PanelState state;
        state.myNote = u"不想去"_s;
        state.result = AnalysisResult{};
        m_server->answer(403, R"({"error":"额度已用完"})");
        AnalysisClient client(m_nam, m_server->url(), m_server->caCertificates(), 20s);
        int changes = 0;
        analyze(state, client, this, [&] { ++changes; });
        QVERIFY(!state.result);
        QTRY_COMPARE_WITH_TIMEOUT(changes, 2, 20000);
        QVERIFY(!state.loading);
        QCOMPARE(state.errorMsg, std::optional(u"额度已用完"_s));
        QVERIFY(!state.result);
    }

private:
    QNetworkAccessManager m_nam;
    std::unique_ptr<HttpsTestServer> m_server;
};

QTEST_GUILESS_MAIN(TestAnalyze)
#include "tst_analyze.moc"
