// SPDX-License-Identifier: MIT
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <QUuid>

using namespace Qt::Literals::StringLiterals;

class TestParseResultTool final : public QObject {
    Q_OBJECT

private slots:
    void printsJson_data();
    void printsJson();
};

void TestParseResultTool::printsJson_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");

    QTest::addRow("complete answer")
        << "· 潜台词：他其实在催你给出准确时间\n"
           "· 类型：结果导向型\n"
           "· 底层逻辑：只关心事情能否按时完成\n"
           "A【稳妥型】：收到，今天下班前给您确切时间 → 先表态再争取时间\n"
           "B【坦诚型】：目前卡在测试环节，预计周四完成\n"
           "C【主动型】：我先把已完成的部分发您过目 → 用进度换信任\n"
           "📖 职场秘籍\n"
           "先给结论，再给理由。"_ba
        << R"({"subtext": "他其实在催你给出准确时间", "profileType": "结果导向型",
               "profileLogic": "只关心事情能否按时完成", "miji": "先给结论，再给理由。",
               "replies": [
                 {"letter": "A", "kind": "稳妥型", "text": "收到，今天下班前给您确切时间",
                  "tactic": "先表态再争取时间"},
                 {"letter": "B", "kind": "坦诚型", "text": "目前卡在测试环节，预计周四完成",
                  "tactic": ""},
                 {"letter": "C", "kind": "主动型", "text": "我先把已完成的部分发您过目",
                  "tactic": "用进度换信任"}]})"_ba;
    QTest::addRow("edge cases: empty and absent fields differ")
        << "· 潜台词：\n"
           "· 类型： 完美主义型\n"
           "C【主动型】：我来跟进 → 主动揽活\n"
           "A【稳妥型】 ：好的：明天交\n"
           "B【坦诚型】：实话实说"_ba
        << R"({"subtext": "", "profileType": " 完美主义型",
               "replies": [
                 {"letter": "A", "kind": "稳妥型", "text": "好的明天交", "tactic": ""},
                 {"letter": "C", "kind": "主动型", "text": "我来跟进", "tactic": "主动揽活"}]})"_ba;
    QTest::addRow("nothing") << ""_ba
                             << R"({"replies": []})"_ba;
    QTest::addRow("invalid utf-8 becomes replacement characters")
        << "· 潜台词：\xff甲\n"_ba
        << R"({"subtext": "\ufffd甲", "replies": []})"_ba;
}

void TestParseResultTool::printsJson()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);

    QProcess tool;
    tool.start(QString::fromUtf8(PARSE_RESULT_PATH), {});
    QVERIFY(tool.waitForStarted());
    tool.write(input);
    tool.closeWriteChannel();
    QVERIFY(tool.waitForFinished());
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tool.exitCode(), 0);

    QJsonParseError error;
    QJsonObject got = QJsonDocument::fromJson(tool.readAllStandardOutput(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);

    // Ids are random: check their form, then leave them out of the comparison.
    QJsonArray replies = got.value(u"replies"_s).toArray();
    for (auto&& entry : replies) {
        QJsonObject reply = entry.toObject();
        const QUuid id = QUuid::fromString(reply.take(u"id"_s).toString());
        QCOMPARE(id.version(), QUuid::Random);
        entry = reply;
    }
    got.insert(u"replies"_s, replies);
    QCOMPARE(got, QJsonDocument::fromJson(expected).object());
}

QTEST_GUILESS_MAIN(TestParseResultTool)
#include "tst_parseresulttool.moc"
