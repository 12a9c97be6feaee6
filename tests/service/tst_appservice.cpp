// SPDX-License-Identifier: MIT
// The app's own client against the real service over HTTPS, which asks a fake model server.
#include "FakeUpstream.h"
#include "HttpsTestServer.h"
#include "RunningService.h"
#include "analysis/AnalysisClient.h"
#include "analysis/Analyze.h"
#include "analysis/PanelState.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace std::chrono_literals;

namespace {

const std::string wellFormed = "· 潜台词：他在催进度\n"
                               "· 类型：结果导向型\n"
                               "· 底层逻辑：只看结果\n"
                               "A【稳妥型】：收到，今天给您时间 → 先表态\n"
                               "B【坦诚型】：卡在测试，周四完成\n"
                               "C【主动型】：我先发您看看 → 用进度换信任\n"
                               "📖 职场秘籍\n先给结论。";

// The loopback test CA's directory also holds its certificate for 127.0.0.1 and localhost.
ServiceConfig tlsConfig(const std::string& upstreamUrl)
{
    const QDir dir = QFileInfo(HttpsTestServer::caFile()).dir();
    ServiceConfig config = RunningService::config(upstreamUrl, 2s);
    config.plainHttp = false;
    config.tlsCert = dir.filePath(u"server.pem"_s).toStdString();
    config.tlsKey = dir.filePath(u"server.key"_s).toStdString();
    return config;
}

} // namespace

class TestAppService final : public QObject {
    Q_OBJECT

private slots:
    void panelStateAfterAnalysis_data();
    void panelStateAfterAnalysis();
};

void TestAppService::panelStateAfterAnalysis_data()
{
    QTest::addColumn<std::vector<FakeUpstream::Reply>>("script");
    QTest::addColumn<int>("replies"); // -1: an error line is expected
    QTest::addColumn<QString>("errorPart");

    QTest::addRow("analysis shown")
        << std::vector<FakeUpstream::Reply>{{200, wellFormed}} << 3 << QString();
    QTest::addRow("retried answer shown")
        << std::vector<FakeUpstream::Reply>{{200, "随便说说"}, {200, wellFormed}} << 3 << QString();
    QTest::addRow("model failure as the error line")
        << std::vector<FakeUpstream::Reply>{{500, ""}} << -1 << u"模型服务出错"_s;
}

void TestAppService::panelStateAfterAnalysis()
{
    QFETCH(std::vector<FakeUpstream::Reply>, script);
    QFETCH(int, replies);
    QFETCH(QString, errorPart);

    FakeUpstream upstream;
    upstream.script(script);
    QVERIFY(!HttpsTestServer::caFile().isEmpty());
    RunningService service(tlsConfig(upstream.baseUrl()));
    QVERIFY(service.started());

    QNetworkAccessManager nam;
    AnalysisClient client(nam, QUrl(u"https://localhost:%1/api/generate"_s.arg(service.port())),
                          HttpsTestServer::caCertificates(), 10s);
    QObject context;
    PanelState state;
    state.otherMsg = u"进度怎么样了？"_s;
    state.industry = u"tech"_s;
    analyze(state, client, &context, [] {});
    QVERIFY(state.loading);
    QTRY_VERIFY_WITH_TIMEOUT(!state.loading, 15000);

    if (replies < 0) {
        QVERIFY(!state.result);
        QVERIFY(state.errorMsg);
        QVERIFY2(state.errorMsg->contains(errorPart), qPrintable(*state.errorMsg));
        return;
    }
    QVERIFY2(!state.errorMsg, qPrintable(state.errorMsg.value_or(QString())));
    QVERIFY(state.result);
    QCOMPARE(state.result->replies.size(), replies);
    QCOMPARE(state.result->subtext, u"他在催进度"_s);
    QCOMPARE(state.result->replies[2].tactic, u"用进度换信任"_s);
}

QTEST_GUILESS_MAIN(TestAppService)
#include "tst_appservice.moc"
