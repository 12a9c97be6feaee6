// SPDX-License-Identifier: MIT
#include "HttpsTestServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestAnalyzeOnce final : public QObject {
    Q_OBJECT

private:
    // Runs the tool while this process's event loop serves it; returns its standard output.
    QByteArray run(const QStringList& arguments)
    {
        QProcess tool;
        tool.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        tool.start(QStringLiteral(ANALYZE_ONCE), arguments);
        [&] {
            QVERIFY(tool.waitForStarted());
            QTRY_COMPARE_WITH_TIMEOUT(tool.state(), QProcess::NotRunning, 30000);
            QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
            QCOMPARE(tool.exitCode(), 0);
        }();
        return tool.readAllStandardOutput();
    }

private slots:
    void outcomes_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<int>("requests");

        const QStringList message{u"--other-msg"_s, u" 明天交 "_s};
        QTest::addRow("error line") << QByteArray(R"({"error":"额度已用完"})") << message
                                    << QByteArray("{\n    \"loading\": false,\n"
                                                  "    \"errorMsg\": \"额度已用完\"\n}\n")
                                    << 1;
        QTest::addRow("malformed") << QByteArray("<html>") << message
                                   << QByteArray("{\n    \"loading\": false,\n"
                                                 "    \"errorMsg\": \"响应格式错误\"\n}\n")
                                   << 1;
        QTest::addRow("empty answer")
            << QByteArray("{}") << message << QByteArray("{\n    \"loading\": false\n}\n") << 1;
        QTest::addRow("nothing to send") << QByteArray("{}") << QStringList{u"--note"_s, u" \n"_s}
                                         << QByteArray("{\n    \"loading\": false\n}\n") << 0;
    }
    void outcomes()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QStringList, fields);
        QFETCH(QByteArray, expected);
        QFETCH(int, requests);

        HttpsTestServer server;
        QVERIFY(server.listen());
        server.answer(200, answer);
        const QString origin = server.url(QString()).toString();
        QCOMPARE(run(QStringList{u"--origin"_s, origin, u"--ca"_s, server.caFile()} + fields),
                 expected);
        QCOMPARE(server.requests().size(), requests);
    }

    void resultAndRequest()
    {
        HttpsTestServer server;
        QVERIFY(server.listen());
        server.answer(200, R"({"result":"· 潜台词：快点\nB【软】：好 → 拖\n"})");
        const QByteArray output =
            run({u"--origin"_s, server.url(QString()).toString(), u"--ca"_s, server.caFile(),
                 u"--my-role"_s, u""_s, u"--industry"_s, u"state"_s, u"--note"_s, u"不想"_s});
        QVERIFY(output.startsWith("{\n    \"loading\": false,\n    \"result\": {"));
        const QJsonObject state = QJsonDocument::fromJson(output).object();
        QCOMPARE(state.size(), 2);
        const QJsonObject result = state.value(u"result"_s).toObject();
        QCOMPARE(result.value(u"subtext"_s).toString(), u"快点"_s);
        const QJsonObject reply = result.value(u"replies"_s).toArray().first().toObject();
        QCOMPARE(reply.value(u"letter"_s).toString(), u"B"_s);
        QCOMPARE(reply.value(u"tactic"_s).toString(), u"拖"_s);

        QCOMPARE(server.requests().size(), 1);
        const QJsonObject sent = QJsonDocument::fromJson(server.requests().first().body).object();
        const QJsonObject expected{
            {u"myRole"_s, u""_s},
            {u"otherRole"_s, u"领导"_s},
            {u"industry"_s, u"state"_s},
            {u"message"_s, u"我的想法（这不是对话内容，是我想表达的真实意思）：\n不想"_s}};
        QCOMPARE(sent, expected);
    }

    void timeout()
    {
        HttpsTestServer server;
        QVERIFY(server.listen());
        server.hang();
        const QByteArray output =
            run({u"--origin"_s, server.url(QString()).toString(), u"--ca"_s, server.caFile(),
                 u"--timeout-ms"_s, u"300"_s, u"--other-msg"_s, u"x"_s});
        QCOMPARE(output, QByteArray("{\n    \"loading\": false,\n"
                                    "    \"errorMsg\": \"Socket operation timed out\"\n}\n"));
    }
};

QTEST_GUILESS_MAIN(TestAnalyzeOnce)
#include "tst_analyzeonce.moc"
