// SPDX-License-Identifier: MIT
#include "FakeUpstream.h"
#include "RunningService.h"
#include "analysis/EncodeBody.h"
#include "analysis/ParseResult.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

#include <httplib.h>

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
const std::string noSubtext = "· 类型：结果导向型\nA【稳妥型】：好的 → 表态\n";
const std::string noReplies = "· 潜台词：他在催进度\n📖 职场秘籍\n先给结论。";

struct Reply {
    int status = 0;
    QJsonObject body;
    bool isJsonObject = false;
};

Reply send(int port, const std::string& method, const std::string& path, const std::string& body)
{
    httplib::Client client("127.0.0.1", port);
    client.set_read_timeout(20s);
    httplib::Request req;
    req.method = method;
    req.path = path;
    req.body = body;
    req.set_header("Content-Type", "application/json");
    httplib::Response res;
    httplib::Error error = httplib::Error::Success;
    if (!client.send(req, res, error)) {
        return {};
    }
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(res.body));
    return {res.status, doc.object(), doc.isObject()};
}

std::string appBody(const QString& message, const QString& industry = u"tech"_s)
{
    return encodeBody(u"程序员"_s, u"产品经理"_s, message, industry).toStdString();
}

Reply generate(int port, const std::string& body)
{
    return send(port, "POST", "/api/generate", body);
}

bool isChinese(const QString& text)
{
    return text.contains(QRegularExpression(u"\\p{Han}"_s));
}

QJsonArray upstreamMessages(const std::string& request)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(request))
        .object()
        .value(u"messages"_s)
        .toArray();
}

} // namespace

class TestService final : public QObject {
    Q_OBJECT

private slots:
    void upstreamOutcomes_data();
    void upstreamOutcomes();
    void promptCarriesRolesAndWorkplace();
    void badRequests_data();
    void badRequests();
    void unreachableUpstreamSaysHowToConfigure();
    void rateLimitPerClient();
    void logHoldsNoText();
};

void TestService::upstreamOutcomes_data()
{
    QTest::addColumn<std::vector<FakeUpstream::Reply>>("script");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("result"); // empty: an error is expected
    QTest::addColumn<int>("upstreamCalls");

    const QString good = QString::fromStdString(wellFormed);
    QTest::addRow("well-formed answer")
        << std::vector<FakeUpstream::Reply>{{200, wellFormed}} << 200 << good << 1;
    QTest::addRow("no hidden meaning, then well-formed")
        << std::vector<FakeUpstream::Reply>{{200, noSubtext}, {200, wellFormed}} << 200 << good
        << 2;
    QTest::addRow("no replies, then well-formed")
        << std::vector<FakeUpstream::Reply>{{200, noReplies}, {200, wellFormed}} << 200 << good
        << 2;
    QTest::addRow("malformed twice")
        << std::vector<FakeUpstream::Reply>{{200, noReplies}, {200, "随便说说"}} << 502 << QString()
        << 2;
    QTest::addRow("upstream 500") << std::vector<FakeUpstream::Reply>{{500, ""}} << 502 << QString()
                                  << 1;
    QTest::addRow("malformed, then upstream 500")
        << std::vector<FakeUpstream::Reply>{{200, noSubtext}, {500, ""}} << 502 << QString() << 2;
    QTest::addRow("upstream hangs")
        << std::vector<FakeUpstream::Reply>{{200, "", true}} << 504 << QString() << 1;
}

void TestService::upstreamOutcomes()
{
    QFETCH(std::vector<FakeUpstream::Reply>, script);
    QFETCH(int, status);
    QFETCH(QString, result);
    QFETCH(int, upstreamCalls);

    FakeUpstream upstream;
    upstream.script(script);
    RunningService service(RunningService::config(upstream.baseUrl(), 600ms));
    QVERIFY(service.started());

    const Reply reply = generate(service.port(), appBody(u"对方发来的消息：\n进度怎么样了"_s));
    QCOMPARE(reply.status, status);
    QVERIFY(reply.isJsonObject);
    if (result.isEmpty()) {
        QVERIFY(isChinese(reply.body.value(u"error"_s).toString()));
        QVERIFY(!reply.body.contains(u"result"_s));
    } else {
        QCOMPARE(reply.body.value(u"result"_s).toString(), result);
        QVERIFY(!reply.body.contains(u"error"_s));
    }
    QCOMPARE(upstream.requests().size(), static_cast<size_t>(upstreamCalls));
    if (upstreamCalls == 2) {
        // The retry continues the conversation: the unusable answer, then a correction.
        const QJsonArray retry = upstreamMessages(upstream.requests()[1]);
        QCOMPARE(retry.size(), 4);
        QCOMPARE(retry[2][u"role"_s].toString(), u"assistant"_s);
        QCOMPARE(retry[3][u"role"_s].toString(), u"user"_s);
    }
}

void TestService::promptCarriesRolesAndWorkplace()
{
    FakeUpstream upstream;
    upstream.script({{200, wellFormed}});
    RunningService service(RunningService::config(upstream.baseUrl(), 2s));
    QVERIFY(service.started());

    const QString message = u"对方发来的消息：\n周五前交"_s;
    QCOMPARE(generate(service.port(), appBody(message, u"state"_s)).status, 200);
    const QJsonObject request =
        QJsonDocument::fromJson(QByteArray::fromStdString(upstream.requests().at(0))).object();
    QCOMPARE(request.value(u"model"_s).toString(), u"test-model"_s);
    const QJsonArray messages = request.value(u"messages"_s).toArray();
    QCOMPARE(messages.size(), 2);
    const QString system = messages[0][u"content"_s].toString();
    QVERIFY(system.contains(u"程序员"_s));
    QVERIFY(system.contains(u"产品经理"_s));
    QVERIFY(system.contains(u"体制内"_s));
    QCOMPARE(messages[1][u"content"_s].toString(), message);

    // The format the prompt shows the model must itself be a usable answer for the parser.
    const QString sample =
        system.section(u"不要在前后加任何其他文字：\n"_s, 1).section(u"\n\n"_s, 0, 0);
    const AnalysisResult parsed = parseResult(sample + u"\n"_s);
    QVERIFY(parsed.subtext && parsed.profileType && parsed.profileLogic && parsed.miji);
    QCOMPARE(parsed.replies.size(), 3);
    QVERIFY(!parsed.replies[0].tactic.isEmpty());
}

void TestService::badRequests_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");

    const auto body = [](const QString& message) {
        return QByteArray::fromStdString(appBody(message));
    };
    const QByteArray post = "POST";
    const QByteArray generate = "/api/generate";
    QTest::addRow("not JSON") << post << generate << QByteArray("<html>") << 400;
    QTest::addRow("JSON array") << post << generate << QByteArray("[]") << 400;
    QTest::addRow("industry missing")
        << post << generate << QByteArray(R"({"myRole":"a","otherRole":"b","message":"c"})") << 400;
    QTest::addRow("role not a string")
        << post << generate
        << QByteArray(R"({"myRole":1,"otherRole":"b","message":"c","industry":"tech"})") << 400;
    QTest::addRow("empty body") << post << generate << QByteArray() << 400;
    QTest::addRow("blank message") << post << generate << body(u" \n\t\u3000"_s) << 400;
    QTest::addRow("20001 characters") << post << generate << body(QString(20001, u'话')) << 413;
    // Counted by characters the user sees, not by code units.
    QTest::addRow("20000 characters of two code units each")
        << post << generate << body(QString(u"e\u0301"_s).repeated(20000)) << 200;
    QTest::addRow("body over 64 KiB") << post << generate << QByteArray(64 * 1024 + 1, ' ') << 413;
    QTest::addRow("wrong path") << post << QByteArray("/api/generat") << body(u"x"_s) << 404;
    QTest::addRow("root path") << QByteArray("GET") << QByteArray("/") << QByteArray() << 404;
    QTest::addRow("GET") << QByteArray("GET") << generate << QByteArray() << 405;
    QTest::addRow("PUT") << QByteArray("PUT") << generate << body(u"x"_s) << 405;
    QTest::addRow("DELETE") << QByteArray("DELETE") << generate << QByteArray() << 405;
}

void TestService::badRequests()
{
    QFETCH(QByteArray, method);
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, body);
    QFETCH(int, status);

    FakeUpstream upstream;
    upstream.script({{200, wellFormed}});
    RunningService service(RunningService::config(upstream.baseUrl(), 2s));
    QVERIFY(service.started());

    const Reply reply =
        send(service.port(), method.toStdString(), path.toStdString(), body.toStdString());
    QCOMPARE(reply.status, status);
    QVERIFY(reply.isJsonObject);
    if (status == 200) {
        QVERIFY(reply.body.value(u"result"_s).isString());
        return;
    }
    QVERIFY(isChinese(reply.body.value(u"error"_s).toString()));
    QVERIFY(upstream.requests().empty());
}

void TestService::unreachableUpstreamSaysHowToConfigure()
{
    int closedPort = 0;
    {
        FakeUpstream gone;
        closedPort = gone.port();
    }
    RunningService service(
        RunningService::config("http://127.0.0.1:" + std::to_string(closedPort) + "/v1", 2s));
    QVERIFY(service.started());

    const Reply reply = generate(service.port(), appBody(u"你好"_s));
    QCOMPARE(reply.status, 502);
    const QString error = reply.body.value(u"error"_s).toString();
    QVERIFY2(error.contains(u"无法连接模型服务"_s), qPrintable(error));
    QVERIFY2(error.contains(u"ZORVIK_UPSTREAM_URL"_s), qPrintable(error));
}

void TestService::rateLimitPerClient()
{
    FakeUpstream upstream;
    upstream.script({{200, wellFormed}});
    ServiceConfig config = RunningService::config(upstream.baseUrl(), 2s);
    config.requestsPerMinute = 1;
    config.burst = 2;
    RunningService service(config);
    QVERIFY(service.started());

    QCOMPARE(generate(service.port(), appBody(u"一"_s)).status, 200);
    QCOMPARE(generate(service.port(), appBody(u"二"_s)).status, 200);
    const Reply limited = generate(service.port(), appBody(u"三"_s));
    QCOMPARE(limited.status, 429);
    QVERIFY(isChinese(limited.body.value(u"error"_s).toString()));
    QCOMPARE(upstream.requests().size(), size_t(2));
}

void TestService::logHoldsNoText()
{
    FakeUpstream upstream;
    upstream.script({{200, wellFormed}});
    RunningService service(RunningService::config(upstream.baseUrl(), 2s));
    QVERIFY(service.started());

    QCOMPARE(generate(service.port(), appBody(u"机密的加薪消息"_s)).status, 200);
    QCOMPARE(send(service.port(), "POST", "/api/generate", "机密").status, 400);
    // The line is written once the answer has gone out, so it may trail the client's read.
    QTRY_COMPARE(service.logLines().size(), size_t(2));
    const std::vector<std::string> lines = service.logLines();
    for (const std::string& line : lines) {
        const QString text = QString::fromStdString(line);
        QVERIFY2(!isChinese(text), line.c_str());
        QVERIFY2(text.contains(u" status="_s) && text.contains(u" duration_ms="_s), line.c_str());
    }
    QVERIFY(QString::fromStdString(lines[0]).contains(u"status=200"_s));
}

QTEST_GUILESS_MAIN(TestService)
#include "tst_service.moc"
