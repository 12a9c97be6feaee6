// SPDX-License-Identifier: MIT
#include "analysis/ComposeMessage.h"
#include "analysis/EncodeBody.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
const QString received = u"对方发来的消息：\n"_s;
const QString note = u"我的想法（这不是对话内容，是我想表达的真实意思）：\n"_s;
} // namespace

class TestComposeMessage final : public QObject {
    Q_OBJECT

private slots:
    void compose_data()
    {
        QTest::addColumn<QString>("otherMsg");
        QTest::addColumn<QString>("myNote");
        QTest::addColumn<QString>("expected");

        QTest::addRow("both blank") << u" \t\n"_s << u"\u3000\r\n"_s << QString();
        QTest::addRow("received only, trimmed")
            << u"  \n周五前交\n  "_s << QString() << received + u"周五前交"_s;
        QTest::addRow("note only") << u"\n\n"_s << u" 不想加班 "_s << note + u"不想加班"_s;
        QTest::addRow("both, inner breaks kept")
            << u"第一行\n\n第二行"_s << u"a  b\nc"_s
            << received + u"第一行\n\n第二行"_s + u"\n\n"_s + note + u"a  b\nc"_s;
        QTest::addRow("every trimmed set member")
            << u"\u0009\u00a0\u2003\u000b\u000c\u0085\u2028\u2029x\u202f\u205f\u3000"_s << QString()
            << received + u"x"_s;
        QTest::addRow("zero-width space is no whitespace")
            << u"\u200b"_s << QString() << received + u"\u200b"_s;
    }
    void compose()
    {
        QFETCH(QString, otherMsg);
        QFETCH(QString, myNote);
        QFETCH(QString, expected);
        QCOMPARE(composeMessage(otherMsg, myNote), expected);
    }

    void encode_data()
    {
        QTest::addColumn<QString>("myRole");
        QTest::addColumn<QString>("otherRole");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("industry");

        QTest::addRow("defaults") << u"员工"_s << u"领导"_s << u"m"_s << u"other"_s;
        QTest::addRow("empty role and padded role")
            << QString() << u"  老板 "_s << u"m"_s << u"tech"_s;
        QTest::addRow("quotes, backslash, control and emoji")
            << u"\"a\\b\""_s << u"\u0001\t"_s << u"line\nline 🏀"_s << u"state"_s;
    }
    void encode()
    {
        QFETCH(QString, myRole);
        QFETCH(QString, otherRole);
        QFETCH(QString, message);
        QFETCH(QString, industry);

        const QByteArray body = encodeBody(myRole, otherRole, message, industry);
        QVERIFY(!body.contains('\n'));
        QJsonParseError error;
        const QJsonObject object = QJsonDocument::fromJson(body, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonObject expected{{u"myRole"_s, myRole},
                                   {u"otherRole"_s, otherRole},
                                   {u"message"_s, message},
                                   {u"industry"_s, industry}};
        QCOMPARE(object, expected);
    }

    void encodeIsCompactUtf8()
    {
        QCOMPARE(encodeBody(u"员工"_s, u""_s, u"m"_s, u"tech"_s),
                 QByteArray(R"({"industry":"tech","message":"m","myRole":"员工","otherRole":""})"));
    }
};

QTEST_APPLESS_MAIN(TestComposeMessage)
#include "tst_composemessage.moc"
