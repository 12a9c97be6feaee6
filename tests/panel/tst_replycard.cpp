// SPDX-License-Identifier: MIT
#include "panel/CopyPill.h"
#include "panel/ReplyCard.h"
#include "panel/TextBlock.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMimeData>
#include <QPointer>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList texts(const ReplyCard& card)
{
    QStringList out;
    for (const TextBlock* block : card.findChildren<TextBlock*>()) {
        out << block->toPlainText();
    }
    return out;
}

CopyPill* pill(const ReplyCard& card)
{
    return card.findChild<CopyPill*>();
}

} // namespace

class TestReplyCard final : public QObject {
    Q_OBJECT

private slots:
    void shows_data();
    void shows();
    void replyTextKeepsLinesWithExtraSpacing();
    void copyReplacesClipboardWithPlainText_data();
    void copyReplacesClipboardWithPlainText();
    void confirmationEndsAfterItsTime();
    void laterPressDoesNotPostponeFirstReset();
    void resetAfterCardIsGoneIsHarmless();
};

void TestReplyCard::shows_data()
{
    QTest::addColumn<QString>("tactic");
    QTest::addColumn<QStringList>("expected");
    QTest::addRow("with tactic") << u"先稳住"_s
                                 << QStringList{u"B · 委婉"_s, u"好的"_s, u"💡 先稳住"_s};
    QTest::addRow("empty tactic has no bulb") << QString() << QStringList{u"B · 委婉"_s, u"好的"_s};
    QTest::addRow("blank tactic is still a tactic")
        << u"  "_s << QStringList{u"B · 委婉"_s, u"好的"_s, u"💡   "_s};
}

void TestReplyCard::shows()
{
    QFETCH(QString, tactic);
    QFETCH(QStringList, expected);
    ReplyCard card(ReplyItem(u"B"_s, u"委婉"_s, u"好的"_s, tactic));
    QCOMPARE(texts(card), expected);
    QCOMPARE(pill(card)->text(), u"复制"_s);
    QVERIFY(!card.copied());
}

void TestReplyCard::replyTextKeepsLinesWithExtraSpacing()
{
    ReplyCard card(ReplyItem(u"A"_s, u"k"_s, u"第一行\n第二行"_s, QString()));
    const TextBlock* shown = card.findChildren<TextBlock*>().at(1);
    QCOMPARE(shown->toPlainText(), u"第一行\n第二行"_s);
    QCOMPARE(shown->textInteractionFlags(),
             Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    const auto colour = [](const QPalette& p) {
        return p.color(QPalette::WindowText);
    };
    const auto lineStep = [&](int extraSpacing) {
        const TextBlock one(u"第一行"_s, shown->font(), extraSpacing, colour);
        const TextBlock two(shown->toPlainText(), shown->font(), extraSpacing, colour);
        return two.heightForWidth(300) - one.heightForWidth(300);
    };
    QCOMPARE(lineStep(5) - lineStep(0), 5);
    QCOMPARE(shown->heightForWidth(300) - lineStep(5), shown->heightForWidth(300) / 2);
}

void TestReplyCard::copyReplacesClipboardWithPlainText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addRow("several lines") << u"好的，收到。\n我会尽快处理。"_s;
    QTest::addRow("markup stays literal") << u"<b>好</b> &amp; *呀*"_s;
    QTest::addRow("empty text is copied too") << QString();
}

void TestReplyCard::copyReplacesClipboardWithPlainText()
{
    QFETCH(QString, text);
    auto* previous = new QMimeData;
    previous->setHtml(u"<i>旧</i>"_s);
    previous->setText(u"旧"_s);
    QGuiApplication::clipboard()->setMimeData(previous);

    ReplyCard card(ReplyItem(u"A"_s, u"直接"_s, text, u"战术"_s));
    QTest::mouseClick(pill(card), Qt::LeftButton);

    const QMimeData* now = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(now->text(), text);
    QVERIFY(!now->hasHtml());
    QVERIFY(card.copied());
    QCOMPARE(pill(card)->text(), u"✓ 已复制"_s);
}

void TestReplyCard::confirmationEndsAfterItsTime()
{
    ReplyCard card(ReplyItem(u"A"_s, u"k"_s, u"t"_s, QString()));
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(pill(card), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!card.copied(), 10000);
    QVERIFY2(clock.elapsed() >= 1450, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(pill(card)->text(), u"复制"_s);
}

void TestReplyCard::laterPressDoesNotPostponeFirstReset()
{
    ReplyCard card(ReplyItem(u"A"_s, u"k"_s, u"t"_s, QString()));
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(pill(card), Qt::LeftButton);
    QTest::qWait(1000);
    if (!card.copied()) {
        QSKIP("the machine stalled past the first reset");
    }
    const qint64 secondPress = clock.elapsed();
    QTest::mouseClick(pill(card), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!card.copied(), 10000);
    QVERIFY2(clock.elapsed() < secondPress + 1500, qPrintable(QString::number(clock.elapsed())));
}

void TestReplyCard::resetAfterCardIsGoneIsHarmless()
{
    QPointer<ReplyCard> card = new ReplyCard(ReplyItem(u"A"_s, u"k"_s, u"t"_s, QString()));
    QTest::mouseClick(pill(*card), Qt::LeftButton);
    delete card.data();
    QTest::qWait(1700);
    QVERIFY(card.isNull());
}

QTEST_MAIN(TestReplyCard)
#include "tst_replycard.moc"
