// SPDX-License-Identifier: MIT
#include "analysis/AnalysisResult.h"

#include <QSet>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestAnalysisResult final : public QObject {
    Q_OBJECT

private slots:
    void presenceDiffersFromEmptiness();
    void replyIdsAreFreshRandomUuids();
    void copiesKeepIds();
};

void TestAnalysisResult::presenceDiffersFromEmptiness()
{
    const AnalysisResult none;
    QVERIFY(!none.subtext && !none.profileType && !none.profileLogic && !none.miji);
    QVERIFY(none.replies.isEmpty());

    const AnalysisResult some{.subtext = u""_s, .miji = u"先给结论"_s};
    QVERIFY(some.subtext.has_value());
    QVERIFY(some.subtext->isEmpty());
    QVERIFY(!some.profileType);
    QVERIFY(some.replies.isEmpty());
    QCOMPARE(*some.miji, u"先给结论"_s);

    const ReplyItem withoutTactic(u"B"_s, u"坦诚型"_s, u"实话实说"_s, {});
    QVERIFY(withoutTactic.tactic.isEmpty());
}

void TestAnalysisResult::replyIdsAreFreshRandomUuids()
{
    QSet<QUuid> seen;
    for (int i = 0; i < 100; ++i) {
        const ReplyItem item(u"A"_s, u"稳妥型"_s, u"收到"_s, u"先表态"_s);
        QVERIFY(!item.id().isNull());
        QCOMPARE(item.id().version(), QUuid::Random);
        QCOMPARE(item.id().variant(), QUuid::DCE);
        seen.insert(item.id());
    }
    QCOMPARE(seen.size(), 100);
}

void TestAnalysisResult::copiesKeepIds()
{
    ReplyItem item(u"A"_s, u"稳妥型"_s, u"收到"_s, u""_s);
    const ReplyItem copy = item;
    QCOMPARE(copy.id(), item.id());

    ReplyItem other(u"B"_s, u""_s, u""_s, u""_s);
    other = item;
    QCOMPARE(other.id(), item.id());
    QCOMPARE(other.letter, u"A"_s);

    // Editing texts leaves the identity alone.
    item.text = u"改了"_s;
    QCOMPARE(item.id(), copy.id());

    const AnalysisResult result{.replies = {copy, ReplyItem(u"C"_s, u""_s, u""_s, u""_s)}};
    const AnalysisResult copied = result;
    QCOMPARE(copied.replies.size(), 2);
    QCOMPARE(copied.replies[0].id(), result.replies[0].id());
    QCOMPARE(copied.replies[1].id(), result.replies[1].id());
    QVERIFY(copied.replies[0].id() != copied.replies[1].id());
}

QTEST_GUILESS_MAIN(TestAnalysisResult)
#include "tst_analysisresult.moc"
