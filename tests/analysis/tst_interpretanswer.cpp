// SPDX-License-Identifier: MIT
#include "analysis/AnalysisOutcome.h"
#include "analysis/PanelState.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

using Kind = AnalysisOutcome::Kind;
Q_DECLARE_METATYPE(std::optional<QString>)
Q_DECLARE_METATYPE(std::optional<QByteArray>)

class TestInterpretAnswer final : public QObject {
    Q_OBJECT

private slots:
    void interpret_data()
    {
        QTest::addColumn<std::optional<QString>>("transportError");
        QTest::addColumn<std::optional<QByteArray>>("body");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("text");

        const std::optional<QString> none;
        const QString malformed = u"响应格式错误"_s;
        auto body = [](const char* b) {
            return std::optional<QByteArray>(QByteArray(b));
        };

        QTest::addRow("transport error wins over a body")
            << std::optional(u"Connection refused"_s) << body(R"({"result":"x"})")
            << Kind::TransportFailure << u"Connection refused"_s;
        QTest::addRow("no body") << none << std::optional<QByteArray>() << Kind::MalformedAnswer
                                 << malformed;
        QTest::addRow("empty body") << none << body("") << Kind::MalformedAnswer << malformed;
        QTest::addRow("array") << none << body(R"([{"result":"x"}])") << Kind::MalformedAnswer
                               << malformed;
        QTest::addRow("bare string")
            << none << body(R"("result")") << Kind::MalformedAnswer << malformed;
        QTest::addRow("bare number") << none << body("42") << Kind::MalformedAnswer << malformed;
        QTest::addRow("html page")
            << none << body("<html><body>502</body></html>") << Kind::MalformedAnswer << malformed;
        QTest::addRow("object then garbage")
            << none << body(R"({"result":"x"} tail)") << Kind::MalformedAnswer << malformed;
        QTest::addRow("truncated object")
            << none << body(R"({"result":"x")") << Kind::MalformedAnswer << malformed;
        QTest::addRow("error string")
            << none << body(R"({"error":"额度已用完"})") << Kind::ServiceError << u"额度已用完"_s;
        QTest::addRow("empty error string still an error")
            << none << body(R"({"error":"","result":"x"})") << Kind::ServiceError << QString();
        QTest::addRow("error beats result")
            << none << body(R"({"result":"r","error":"e"})") << Kind::ServiceError << u"e"_s;
        QTest::addRow("error verbatim, markup kept") << none << body(R"({"error":"<b>x</b>\n  y"})")
                                                     << Kind::ServiceError << u"<b>x</b>\n  y"_s;
        QTest::addRow("result") << none << body(R"({"result":"· 潜台词：快点"})") << Kind::Analysis
                                << u"· 潜台词：快点"_s;
        QTest::addRow("empty result")
            << none << body(R"({"result":""})") << Kind::Analysis << QString();
        QTest::addRow("null error with result")
            << none << body(R"({"error":null,"result":"r"})") << Kind::Analysis << u"r"_s;
        QTest::addRow("numeric error alone")
            << none << body(R"({"error":500})") << Kind::EmptyAnswer << QString();
        QTest::addRow("object error, numeric result")
            << none << body(R"({"error":{"m":"x"},"result":1})") << Kind::EmptyAnswer << QString();
        QTest::addRow("empty object") << none << body("{}") << Kind::EmptyAnswer << QString();
        QTest::addRow("other members only")
            << none << body(R"({"message":"hi","ok":true})") << Kind::EmptyAnswer << QString();
    }
    void interpret()
    {
        QFETCH(std::optional<QString>, transportError);
        QFETCH(std::optional<QByteArray>, body);
        QFETCH(Kind, kind);
        QFETCH(QString, text);

        const AnalysisOutcome outcome = interpretAnswer(transportError, body);
        QCOMPARE(outcome.kind, kind);
        QCOMPARE(outcome.text, text);
    }

    void apply_data()
    {
        QTest::addColumn<AnalysisOutcome>("outcome");
        QTest::addColumn<std::optional<QString>>("errorMsg");
        QTest::addColumn<bool>("hasResult");

        QTest::addRow("transport failure")
            << AnalysisOutcome{Kind::TransportFailure, u"Connection refused"_s}
            << std::optional(u"Connection refused"_s) << false;
        QTest::addRow("malformed") << AnalysisOutcome{Kind::MalformedAnswer, u"响应格式错误"_s}
                                   << std::optional(u"响应格式错误"_s) << false;
        QTest::addRow("empty service error")
            << AnalysisOutcome{Kind::ServiceError, QString()} << std::optional(QString()) << false;
        QTest::addRow("analysis") << AnalysisOutcome{Kind::Analysis, u"· 潜台词：快点"_s}
                                  << std::optional<QString>() << true;
        QTest::addRow("empty answer")
            << AnalysisOutcome{Kind::EmptyAnswer, QString()} << std::optional<QString>() << false;
    }
    void apply()
    {
        QFETCH(AnalysisOutcome, outcome);
        QFETCH(std::optional<QString>, errorMsg);
        QFETCH(bool, hasResult);

        PanelState state;
        state.otherMsg = u"m"_s;
        state.loading = true;
        applyOutcome(state, outcome);
        QVERIFY(!state.loading);
        QCOMPARE(state.errorMsg, errorMsg);
        QCOMPARE(state.result.has_value(), hasResult);
        QCOMPARE(state.otherMsg, u"m"_s);
    }

    void applyParsesTheResult()
    {
        PanelState state;
        state.loading = true;
        applyOutcome(state, {Kind::Analysis, u"· 潜台词：快点\n"_s});
        QVERIFY(state.result);
        QCOMPARE(state.result->subtext, std::optional(u"快点"_s));
    }

    void applyEmptyResultIsStillAResult()
    {
        PanelState state;
        applyOutcome(state, {Kind::Analysis, QString()});
        QVERIFY(state.result);
        QVERIFY(!state.result->subtext);
        QVERIFY(state.result->replies.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestInterpretAnswer)
#include "tst_interpretanswer.moc"
