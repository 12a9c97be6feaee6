// SPDX-License-Identifier: MIT
#include "analysis/ParseResult.h"

#include <QSet>
#include <QTest>
#include <QTextBoundaryFinder>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Reply {
    QString letter;
    QString kind;
    QString text;
    QString tactic;
};

struct Expected {
    std::optional<QString> subtext = {};
    std::optional<QString> profileType = {};
    std::optional<QString> profileLogic = {};
    QList<Reply> replies = {};
    std::optional<QString> miji = {};
};

QString show(const std::optional<QString>& value)
{
    return value ? u'"' + *value + u'"' : u"absent"_s;
}

QString repeated(const QString& piece, int times)
{
    return piece.repeated(times);
}

qsizetype clusterCount(const QString& s)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
    qsizetype count = 0;
    while (finder.toNextBoundary() > 0)
        ++count;
    return count;
}

const QString kExample1 = u"· 潜台词：他其实在催你给出准确时间\n"
                          u"· 类型：结果导向型\n"
                          u"· 底层逻辑：只关心事情能否按时完成\n"
                          u"A【稳妥型】：收到，今天下班前给您确切时间 → 先表态再争取时间\n"
                          u"B【坦诚型】：目前卡在测试环节，预计周四完成\n"
                          u"C【主动型】：我先把已完成的部分发您过目 → 用进度换信任\n"
                          u"📖 职场秘籍\n"
                          u"先给结论，再给理由。"_s;

const Expected kExample1Result{
    .subtext = u"他其实在催你给出准确时间"_s,
    .profileType = u"结果导向型"_s,
    .profileLogic = u"只关心事情能否按时完成"_s,
    .replies = {{u"A"_s, u"稳妥型"_s, u"收到，今天下班前给您确切时间"_s, u"先表态再争取时间"_s},
                {u"B"_s, u"坦诚型"_s, u"目前卡在测试环节，预计周四完成"_s, u""_s},
                {u"C"_s, u"主动型"_s, u"我先把已完成的部分发您过目"_s, u"用进度换信任"_s}},
    .miji = u"先给结论，再给理由。"_s,
};

} // namespace

Q_DECLARE_METATYPE(Expected)

class TestParseResult final : public QObject {
    Q_OBJECT

private slots:
    void workedExamples_data();
    void workedExamples() { check(); }
    void headerFields_data();
    void headerFields() { check(); }
    void replies_data();
    void replies() { check(); }
    void tip_data();
    void tip() { check(); }
    void carriageReturns_data();
    void carriageReturns() { check(); }
    void matching_data();
    void matching() { check(); }
    void anyInputGivesAResult_data();
    void anyInputGivesAResult();
    void everyParseMakesNewIds();

private:
    static void addColumns();
    static void check();
};

void TestParseResult::addColumns()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<Expected>("expected");
}

void TestParseResult::check()
{
    QFETCH(QString, input);
    QFETCH(Expected, expected);
    const QString before = input;
    const AnalysisResult result = parseResult(input);
    QCOMPARE(input, before);
    QCOMPARE(show(result.subtext), show(expected.subtext));
    QCOMPARE(show(result.profileType), show(expected.profileType));
    QCOMPARE(show(result.profileLogic), show(expected.profileLogic));
    QCOMPARE(show(result.miji), show(expected.miji));
    QCOMPARE(result.replies.size(), expected.replies.size());
    for (qsizetype i = 0; i < expected.replies.size(); ++i) {
        const ReplyItem& got = result.replies[i];
        const Reply& want = expected.replies[i];
        QCOMPARE(got.letter, want.letter);
        QCOMPARE(got.kind, want.kind);
        QCOMPARE(got.text, want.text);
        QCOMPARE(got.tactic, want.tactic);
    }
}

void TestParseResult::workedExamples_data()
{
    addColumns();
    QTest::addRow("complete answer") << kExample1 << kExample1Result;
    QTest::addRow("edge cases") << u"· 潜台词：\n"
                                   u"· 类型： 完美主义型\n"
                                   u"C【主动型】：我来跟进 → 主动揽活\n"
                                   u"A【稳妥型】 ：好的：明天交\n"
                                   u"B【坦诚型】：实话实说"_s
                                << Expected{
                                       .subtext = u""_s,
                                       .profileType = u" 完美主义型"_s,
                                       .replies = {{u"A"_s, u"稳妥型"_s, u"好的明天交"_s, u""_s},
                                                   {u"C"_s, u"主动型"_s, u"我来跟进"_s,
                                                    u"主动揽活"_s}},
                                   };
}

void TestParseResult::headerFields_data()
{
    addColumns();
    QTest::addRow("empty text") << u""_s << Expected{};
    QTest::addRow("no markers") << u"潜台词：甲\n类型：乙\nA 稳妥型：丙\n职场秘籍\n"_s
                                << Expected{};
    QTest::addRow("marker is the last thing") << u"· 潜台词："_s << Expected{};
    QTest::addRow("no line feed after the marker")
        << u"· 类型：甲\n· 潜台词：乙"_s << Expected{.profileType = u"甲"_s};
    QTest::addRow("marker right before a line feed")
        << u"· 底层逻辑：\n"_s << Expected{.profileLogic = u""_s};
    QTest::addRow("spaces stay, newline-set characters go")
        << u"· 潜台词：\u2028\u3000 甲\t\u000B\u0085\n"_s << Expected{.subtext = u"\u3000 甲\t"_s};
    QTest::addRow("first occurrence counts")
        << u"· 潜台词：一\n· 潜台词：二\n"_s << Expected{.subtext = u"一"_s};
    QTest::addRow("markers anywhere, in any order, sharing a line")
        << u"前言· 底层逻辑：丙\n说明 · 潜台词：甲 · 类型：乙\n"_s
        << Expected{.subtext = u"甲 · 类型：乙"_s, .profileType = u"乙"_s, .profileLogic = u"丙"_s};
    QTest::addRow("look-alike colon and bullet")
        << u"· 潜台词:甲\n• 类型：乙\n·潜台词：丙\n"_s << Expected{};
}

void TestParseResult::replies_data()
{
    addColumns();
    QTest::addRow("ascii colon stays")
        << u"A【稳妥型】: 好的\n"_s
        << Expected{.replies = {{u"A"_s, u"稳妥型"_s, u": 好的"_s, u""_s}}};
    QTest::addRow("fullwidth colons go from text and tactic, not kind")
        << u"A【稳：妥】：甲：乙 → 丙：丁\n"_s
        << Expected{.replies = {{u"A"_s, u"稳：妥"_s, u"甲乙"_s, u"丙丁"_s}}};
    QTest::addRow("deleted colon joins an arrow")
        << u"A【x】：甲 ：→ 乙\n"_s << Expected{.replies = {{u"A"_s, u"x"_s, u"甲"_s, u"乙"_s}}};
    QTest::addRow("kind then line feed")
        << u"A【稳妥型】\n好的\n"_s << Expected{.replies = {{u"A"_s, u"稳妥型"_s, u""_s, u""_s}}};
    QTest::addRow("only colons") << u"A【】：：：\n"_s
                                 << Expected{.replies = {{u"A"_s, u""_s, u""_s, u""_s}}};
    QTest::addRow("closing bracket on a later line")
        << u"A【稳妥型：好的\nB【坦诚型】：明白\n"_s
        << Expected{.replies = {{u"A"_s, u"稳妥型：好的\nB【坦诚型"_s, u"明白"_s, u""_s},
                                {u"B"_s, u"坦诚型"_s, u"明白"_s, u""_s}}};
    QTest::addRow("no closing bracket") << u"A【稳妥型：好的\n"_s << Expected{};
    QTest::addRow("other letters start nothing")
        << u"a【甲】：乙\nD【甲】：乙\nAB【甲\n"_s << Expected{};
    QTest::addRow("second A ignored") << u"A【一】：甲\nA【二】：乙\n"_s
                                      << Expected{.replies = {{u"A"_s, u"一"_s, u"甲"_s, u""_s}}};
    QTest::addRow("letter order, not text order")
        << u"C【三】：丙\nA【一】：甲\nB【二】：乙\n"_s
        << Expected{.replies = {{u"A"_s, u"一"_s, u"甲"_s, u""_s},
                                {u"B"_s, u"二"_s, u"乙"_s, u""_s},
                                {u"C"_s, u"三"_s, u"丙"_s, u""_s}}};
    QTest::addRow("split at the first arrow")
        << u"A【x】：甲 → 乙 → 丙\n"_s
        << Expected{.replies = {{u"A"_s, u"x"_s, u"甲"_s, u"乙 → 丙"_s}}};
    QTest::addRow("arrow needs its spaces")
        << u"A【x】：甲→乙 ->丙\n"_s
        << Expected{.replies = {{u"A"_s, u"x"_s, u"甲→乙 ->丙"_s, u""_s}}};
    QTest::addRow("line trimmed, halves not")
        << u"A【x】：\t\u3000 甲  →  乙 \u3000\n"_s
        << Expected{.replies = {{u"A"_s, u"x"_s, u"甲 "_s, u" 乙"_s}}};
}

void TestParseResult::tip_data()
{
    addColumns();
    const QString marker = u"📖 职场秘籍"_s;
    QTest::addRow("marker at the end") << marker << Expected{.miji = u""_s};
    QTest::addRow("only line feeds") << marker + u"\n\n\u2029\n"_s << Expected{.miji = u""_s};
    QTest::addRow("inner lines and colons stay")
        << u"前言\n"_s + marker + u"：\n一：\n\n二\n"_s << Expected{.miji = u"：\n一：\n\n二"_s};
    QTest::addRow("leading line feed counts")
        << marker + u"\n"_s + repeated(u"好"_s, 250) << Expected{.miji = repeated(u"好"_s, 199)};
    QTest::addRow("cut before trimming") << marker + repeated(u"好"_s, 199) + u"\n\n尾"_s
                                         << Expected{.miji = repeated(u"好"_s, 199)};
    QTest::addRow("emoji with skin tone")
        << marker + repeated(u"👍🏽"_s, 250) << Expected{.miji = repeated(u"👍🏽"_s, 200)};
    QTest::addRow("zwj family") << marker + repeated(u"👨‍👩‍👧"_s, 250)
                                << Expected{.miji = repeated(u"👨‍👩‍👧"_s, 200)};
    QTest::addRow("combining marks") << marker + repeated(u"e\u0301\u0323"_s, 250)
                                     << Expected{.miji = repeated(u"e\u0301\u0323"_s, 200)};
    QTest::addRow("flags") << marker + repeated(u"🇨🇳"_s, 201)
                           << Expected{.miji = repeated(u"🇨🇳"_s, 200)};
    QTest::addRow("crlf is one character") << marker + repeated(u"好\r\n"_s, 120)
                                           << Expected{.miji = repeated(u"好\n"_s, 99) + u"好"_s};
    // Clusters that average more than four code units reach the cap only after the first
    // examined stretch, and this one ends inside a skin tone's surrogate pair.
    QTest::addRow("cut lands inside a surrogate pair")
        << marker + u"x👨‍👩‍👧"_s + repeated(u"👍🏽"_s, 200)
        << Expected{.miji = u"x👨‍👩‍👧"_s + repeated(u"👍🏽"_s, 198)};
    QTest::addRow("one cluster longer than the cap")
        << marker + u"a"_s + QString(5000, QChar(0x0301)) + u"b"_s
        << Expected{.miji = u"a"_s + QString(5000, QChar(0x0301)) + u"b"_s};
}

void TestParseResult::carriageReturns_data()
{
    addColumns();
    QString crlf = kExample1;
    crlf.replace(u"\n"_s, u"\r\n"_s);
    QTest::addRow("complete answer with crlf") << crlf << kExample1Result;
    QTest::addRow("header keeps its spaces")
        << u"· 潜台词： 甲 \r\n"_s << Expected{.subtext = u" 甲 "_s};
    QTest::addRow("reply without tactic")
        << u"A【x】：甲\r\n"_s << Expected{.replies = {{u"A"_s, u"x"_s, u"甲"_s, u""_s}}};
    QTest::addRow("reply ending in spaces and colon")
        << u"A【x】：甲 → 乙 ：\r\n"_s << Expected{.replies = {{u"A"_s, u"x"_s, u"甲"_s, u"乙"_s}}};
    QTest::addRow("colon between carriage return and line feed")
        << u"A【x】：甲\r：\n"_s << Expected{.replies = {{u"A"_s, u"x"_s, u"甲"_s, u""_s}}};
    QTest::addRow("carriage return inside a line stays")
        << u"A【x】：甲\r乙\n"_s << Expected{.replies = {{u"A"_s, u"x"_s, u"甲\r乙"_s, u""_s}}};
    QTest::addRow("kind is taken as it is")
        << u"A【稳\r\n妥】：甲\r\n"_s
        << Expected{.replies = {{u"A"_s, u"稳\r\n妥"_s, u"甲"_s, u""_s}}};
    QTest::addRow("tip lines") << u"📖 职场秘籍\r\n一\r\n\r\n二\r\n"_s
                               << Expected{.miji = u"一\n\n二"_s};
}

void TestParseResult::matching_data()
{
    addColumns();
    QTest::addRow("greek ano teleia is the middle dot")
        << u"\u0387 潜台词：甲\n"_s << Expected{.subtext = u"甲"_s};
    QTest::addRow("leftmost of the two forms counts, either way round")
        << u"\u0387 潜台词：甲\n· 潜台词：乙\n· 类型：丙\n\u0387 类型：丁\n"_s
        << Expected{.subtext = u"甲"_s, .profileType = u"丙"_s};
    QTest::addRow("compatibility ideographs, values keep them")
        << u"· \uFAAE\U0002F855：\U0002F855\u0387\n"_s
        << Expected{.profileType = u"\U0002F855\u0387"_s};
    QTest::addRow("values after surrogate-pair equivalents")
        << u"\U0002F855\U0002F855 · 类\U0002F855：甲乙\nA【丙】：丁\n📖 职场秘籍戊"_s
        << Expected{.profileType = u"甲乙"_s,
                    .replies = {{u"A"_s, u"丙"_s, u"丁"_s, u""_s}},
                    .miji = u"戊"_s};
    QTest::addRow("marker carrying a combining mark is no marker")
        << u"· 潜台词：\u0301甲\n· 潜台词：乙\n"_s << Expected{.subtext = u"乙"_s};
    QTest::addRow("reply start carrying a combining mark")
        << u"A【\u20DD甲】：乙\n"_s << Expected{};
    QTest::addRow("closing bracket carrying a combining mark")
        << u"A【甲】\u0301乙】：丙\n"_s
        << Expected{.replies = {{u"A"_s, u"甲】\u0301乙"_s, u"丙"_s, u""_s}}};
    QTest::addRow("colon carrying a combining mark stays")
        << u"A【x】：甲：\u0301乙\n"_s
        << Expected{.replies = {{u"A"_s, u"x"_s, u"甲：\u0301乙"_s, u""_s}}};
    QTest::addRow("arrow carrying a combining mark")
        << u"A【x】：甲 → \u0301乙\n"_s
        << Expected{.replies = {{u"A"_s, u"x"_s, u"甲 → \u0301乙"_s, u""_s}}};
    QTest::addRow("book inside an emoji zwj sequence") << u"👍\u200D📖 职场秘籍\n甲"_s << Expected{};
    QTest::addRow("book after a long run of marks in a zwj sequence")
        << u"👍"_s + QString(40, QChar(0x0301)) + u"\u200D📖 职场秘籍\n甲"_s << Expected{};
    QTest::addRow("nul characters are ordinary")
        << u"· 潜台词：\0\nA【\0】：\0 → \0\n📖 职场秘籍\0"_s
        << Expected{.subtext = u"\0"_s,
                    .replies = {{u"A"_s, u"\0"_s, u"\0"_s, u"\0"_s}},
                    .miji = u"\0"_s};
    const QChar high(0xD83D);
    const QChar low(0xDC00);
    QTest::addRow("lone surrogates are ordinary")
        << u"· 潜台词："_s + low + u"\nA【"_s + high + u"】："_s + low + high + u"\n📖 职场秘籍"_s +
               high
        << Expected{.subtext = QString(low),
                    .replies = {{u"A"_s, QString(high), QString(low) + high, u""_s}},
                    .miji = QString(high)};
    QTest::addRow("book after a zwj with no emoji before it")
        << u"甲\u200D📖 职场秘籍\n乙"_s << Expected{.miji = u"乙"_s};
}

void TestParseResult::anyInputGivesAResult_data()
{
    QTest::addColumn<QString>("input");

    QTest::addRow("many unclosed reply starts") << repeated(u"A【B【C【"_s, 1 << 18);
    QTest::addRow("many rejected marker candidates")
        << repeated(u"· 潜台词：\u0301"_s, 1 << 17) + u"\n"_s;
    QTest::addRow("one long reply line of colons")
        << u"A【】"_s + repeated(u"：\u0301："_s, 1 << 19) + u"\n"_s;
    QTest::addRow("megabytes of marks") << u"📖 职场秘籍"_s + QString(1 << 22, QChar(0x0301));
}

void TestParseResult::anyInputGivesAResult()
{
    QFETCH(QString, input);
    const AnalysisResult result = parseResult(input);
    for (const auto& field : {result.subtext, result.profileType, result.profileLogic})
        QVERIFY(!field || !field->contains(u'\n'));
    for (const ReplyItem& reply : result.replies) {
        QVERIFY(!reply.text.contains(u'\n'));
        QVERIFY(!reply.tactic.contains(u'\n'));
    }
    if (result.miji)
        QVERIFY(clusterCount(*result.miji) <= 200);
}

void TestParseResult::everyParseMakesNewIds()
{
    const AnalysisResult first = parseResult(kExample1);
    const AnalysisResult second = parseResult(kExample1);
    QSet<QUuid> ids;
    for (const AnalysisResult* result : {&first, &second}) {
        QCOMPARE(result->replies.size(), 3);
        for (const ReplyItem& reply : result->replies)
            ids.insert(reply.id());
    }
    QCOMPARE(ids.size(), 6);
}

QTEST_GUILESS_MAIN(TestParseResult)
#include "tst_parseresult.moc"
