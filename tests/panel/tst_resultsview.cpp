// SPDX-License-Identifier: MIT
#include "analysis/AnalysisResult.h"
#include "panel/CopyPill.h"
#include "panel/ReplyCard.h"
#include "panel/ResultsView.h"
#include "panel/TextBlock.h"

#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QScrollBar>
#include <QTest>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

using Text = std::optional<QString>;

QList<QWidget*> columnWidgets(const ResultsView& view)
{
    QList<QWidget*> out;
    QLayout* column = view.widget()->layout();
    for (int i = 0; i < column->count(); ++i) {
        if (QWidget* w = column->itemAt(i)->widget()) {
            out << w;
        }
    }
    return out;
}

// One line per child of the column: what a reader would see there.
QStringList describe(const ResultsView& view)
{
    QStringList out;
    for (QWidget* w : columnWidgets(view)) {
        if (auto* reply = qobject_cast<ReplyCard*>(w)) {
            out << u"reply "_s + reply->reply().letter;
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            out << label->text();
        } else if (auto* body = w->findChild<TextBlock*>()) {
            out << w->findChild<QLabel*>()->text() + u" | "_s + body->toPlainText();
        } else {
            out << u"divider"_s;
        }
    }
    return out;
}

QList<ReplyItem> replies(const QString& letters)
{
    QList<ReplyItem> out;
    for (const QChar letter : letters) {
        out.append(ReplyItem(letter, u"k"_s, u"回复"_s + letter, QString()));
    }
    return out;
}

AnalysisResult full(const QString& longText)
{
    return {.subtext = longText,
            .profileType = u"控制型"_s,
            .profileLogic = u"要结果"_s,
            .replies = replies(u"ABC"_s),
            .miji = longText};
}

} // namespace

class TestResultsView final : public QObject {
    Q_OBJECT

private slots:
    void presenceDecides_data();
    void presenceDecides();
    void serviceTextIsNeverMarkup();
    void newResultBuildsFreshCardsFromTheTop();
    void geometry_data();
    void geometry();
};

void TestResultsView::presenceDecides_data()
{
    QTest::addColumn<Text>("subtext");
    QTest::addColumn<Text>("type");
    QTest::addColumn<Text>("logic");
    QTest::addColumn<QString>("letters");
    QTest::addColumn<Text>("miji");
    QTest::addColumn<QStringList>("expected");

    const QString heading = u"回复方案"_s;
    QTest::addRow("nothing but the heading")
        << Text() << Text() << Text() << QString() << Text() << QStringList{u"divider"_s, heading};
    QTest::addRow("everything, in order")
        << Text(u"话外"_s) << Text(u"控制型"_s) << Text(u"要结果"_s) << u"ABC"_s << Text(u"秘籍"_s)
        << QStringList{
               u"divider"_s, u"🔍 潜台词 | 话外"_s,  u"🧠 对手画像 | [控制型] 要结果"_s,
               heading,      u"reply A"_s,          u"reply B"_s,
               u"reply C"_s, u"📖 职场秘籍 | 秘籍"_s};
    QTest::addRow("empty texts still get their cards")
        << Text(u""_s) << Text(u""_s) << Text(u"逻辑"_s) << QString() << Text(u""_s)
        << QStringList{u"divider"_s, u"🔍 潜台词 | "_s, u"🧠 对手画像 | [] 逻辑"_s, heading,
                       u"📖 职场秘籍 | "_s};
    QTest::addRow("type without logic ends with the space")
        << Text() << Text(u"讨好型"_s) << Text() << QString() << Text()
        << QStringList{u"divider"_s, u"🧠 对手画像 | [讨好型] "_s, heading};
    QTest::addRow("logic without type shows no profile")
        << Text() << Text() << Text(u"逻辑"_s) << u"A"_s << Text()
        << QStringList{u"divider"_s, heading, u"reply A"_s};
}

void TestResultsView::presenceDecides()
{
    QFETCH(Text, subtext);
    QFETCH(Text, type);
    QFETCH(Text, logic);
    QFETCH(QString, letters);
    QFETCH(Text, miji);
    QFETCH(QStringList, expected);

    ResultsView view;
    view.setResult({.subtext = subtext,
                    .profileType = type,
                    .profileLogic = logic,
                    .replies = replies(letters),
                    .miji = miji});
    QCOMPARE(describe(view), expected);
}

void TestResultsView::serviceTextIsNeverMarkup()
{
    const QString markup = u"<b>粗</b> &amp; <a href=\"x\">链</a> **星**"_s;
    ResultsView view;
    view.setResult({.subtext = markup,
                    .profileType = markup,
                    .replies = {ReplyItem(markup, markup, markup, markup)},
                    .miji = markup});
    const QList<TextBlock*> blocks = view.widget()->findChildren<TextBlock*>();
    QCOMPARE(blocks.size(), 6);
    for (const TextBlock* block : blocks) {
        QVERIFY2(block->toPlainText().contains(markup), qPrintable(block->toPlainText()));
    }
}

void TestResultsView::newResultBuildsFreshCardsFromTheTop()
{
    ResultsView view;
    view.resize(420, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    view.setResult(full(QString(400, u'长')));
    auto* first = view.widget()->findChild<ReplyCard*>();
    QTest::mouseClick(first->findChild<CopyPill*>(), Qt::LeftButton);
    QVERIFY(first->copied());
    QTRY_VERIFY(view.verticalScrollBar()->maximum() > 0);
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());

    QPointer<ReplyCard> old = first;
    view.setResult(full(QString(400, u'新')));
    QVERIFY(old.isNull());
    const QList<ReplyCard*> cards = view.widget()->findChildren<ReplyCard*>();
    QCOMPARE(cards.size(), 3);
    for (const ReplyCard* card : cards) {
        QVERIFY(!card->copied());
    }
    QCOMPARE(view.verticalScrollBar()->value(), 0);
}

void TestResultsView::geometry_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("letters");
    QTest::addRow("short texts") << u"短"_s << u"AB"_s;
    QTest::addRow("long wrapping text") << QString(300, u'字') << u"ABC"_s;
    QTest::addRow("unbroken latin run") << QString(300, u'x') << u"A"_s;
    QTest::addRow("no replies") << u"短"_s << QString();
}

void TestResultsView::geometry()
{
    QFETCH(QString, body);
    QFETCH(QString, letters);
    ResultsView view;
    view.resize(420, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    AnalysisResult result = full(body);
    result.replies = replies(letters);
    for (ReplyItem& reply : result.replies) {
        reply.text = body;
        reply.tactic = body;
    }
    view.setResult(result);
    QApplication::processEvents();

    QCOMPARE(view.horizontalScrollBar()->maximum(), 0);
    const int columnWidth = view.viewport()->width();
    QVERIFY(view.widget()->width() <= columnWidth);

    const QList<QWidget*> children = columnWidgets(view);
    QCOMPARE(children.size(), 5 + letters.size());
    QCOMPARE(qobject_cast<QLabel*>(children.at(3))->text(), u"回复方案"_s);
    for (int i = 0; i < children.size(); ++i) {
        const QRect g = children.at(i)->geometry();
        QCOMPARE(g.left(), 14);
        QCOMPARE(g.width(), columnWidth - 28);
        if (i > 0) {
            QCOMPARE(g.top() - children.at(i - 1)->geometry().bottom() - 1, 8);
        }
    }
    QCOMPARE(children.first()->geometry().top(), 0);
    const int below = view.widget()->height() - children.last()->geometry().bottom() - 1;
    QVERIFY2(below == 20 || view.widget()->height() == view.viewport()->height(),
             qPrintable(QString::number(below)));

    // Every text sits 10 inside its card and is tall enough for all its lines.
    for (int i = 1; i < children.size(); ++i) {
        if (i == 3) {
            continue;
        }
        const QWidget* cardWidget = children.at(i);
        const QRect inside = cardWidget->rect().adjusted(10, 10, -10, -10);
        QRect content;
        for (const QWidget* w : cardWidget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            content |= w->geometry();
        }
        QCOMPARE(content.left(), inside.left());
        QCOMPARE(content.top(), inside.top());
        QCOMPARE(content.bottom(), inside.bottom());
        QVERIFY(content.right() <= inside.right());
        for (const TextBlock* text : cardWidget->findChildren<TextBlock*>()) {
            QVERIFY(text->height() >= text->document()->size().height());
            QCOMPARE(text->verticalScrollBar()->maximum(), 0);
        }
    }
}

QTEST_MAIN(TestResultsView)
#include "tst_resultsview.moc"
