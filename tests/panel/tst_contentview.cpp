// SPDX-License-Identifier: MIT
#include "HttpsTestServer.h"
#include "analysis/AnalysisClient.h"
#include "panel/ContentView.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QNetworkAccessManager>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;
using namespace std::chrono_literals;

namespace {

QString accessibleName(QWidget* widget)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget);
    return a ? a->text(QAccessible::Name) : QString();
}

// Controls are found the way assistive tools find them, by their accessible names.
template <typename W> W* control(const QWidget& view, const QString& name)
{
    for (W* w : view.findChildren<W*>()) {
        if (accessibleName(w) == name) {
            return w;
        }
    }
    return nullptr;
}

QLabel* errorLine(const QWidget& view)
{
    for (QLabel* l : view.findChildren<QLabel*>()) {
        if (l->font().pixelSize() == 12) {
            return l;
        }
    }
    return nullptr;
}

// What an input method sends: first the composition, then the chosen characters.
void compose(QWidget* widget, const QString& preedit, const QString& commit)
{
    QInputMethodEvent composing(preedit, {});
    QApplication::sendEvent(widget, &composing);
    QInputMethodEvent committing;
    committing.setCommitString(commit);
    QApplication::sendEvent(widget, &committing);
}

constexpr int slow = 20000; // the first exchange waits for the test CA to be made

} // namespace

class TestContentView final : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_server = std::make_unique<HttpsTestServer>();
        QVERIFY(m_server->listen());
        m_client = std::make_unique<AnalysisClient>(m_nam, m_server->url(),
                                                    m_server->caCertificates(), 20s);
        m_view = std::make_unique<ContentView>(*m_client);
        m_view->resize(420, 620);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    }

    void cleanup()
    {
        m_view.reset();
        m_client.reset();
        m_server.reset();
        QGuiApplication::clipboard()->clear();
    }

    void freshPanel()
    {
        QCOMPARE(m_view->width(), 420);
        QCOMPARE(control<QLineEdit>(*m_view, u"员工"_s)->text(), u"员工"_s);
        QCOMPARE(control<QLineEdit>(*m_view, u"领导"_s)->text(), u"领导"_s);
        QCOMPARE(m_view->findChild<QComboBox*>()->currentText(), u"私企"_s);
        QVERIFY(control<QPlainTextEdit>(*m_view, u"对方发的消息"_s)->toPlainText().isEmpty());
        QVERIFY(control<QPlainTextEdit>(*m_view, u"我想回复的意思"_s)->toPlainText().isEmpty());
        QPushButton* start = control<QPushButton>(*m_view, u"开始分析"_s);
        QVERIFY(start);
        QVERIFY(!start->isEnabled());
        QVERIFY(!errorLine(*m_view)->isVisible());
    }

    void everyControlIsNamed()
    {
        QStringList names;
        for (QWidget* w : m_view->findChildren<QWidget*>()) {
            if (qobject_cast<QComboBox*>(w)) {
                // On Unix Qt reports a combo box's choice as its name; the set name serves
                // elsewhere.
                names.append(w->accessibleName());
            } else if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
                       qobject_cast<QAbstractButton*>(w)) {
                names.append(accessibleName(w));
            }
        }
        names.sort();
        QStringList expected{u"员工"_s,         u"领导"_s,           u"行业"_s,
                             u"对方发的消息"_s, u"我想回复的意思"_s, u"📋 粘贴剪贴板"_s,
                             u"开始分析"_s};
        expected.sort();
        QCOMPARE(names, expected);
    }

    void enableRule_data()
    {
        QTest::addColumn<QString>("otherMsg");
        QTest::addColumn<QString>("myNote");
        QTest::addColumn<bool>("enabled");
        QTest::addRow("both empty") << QString() << QString() << false;
        QTest::addRow("spaces, tabs and newlines") << u" \t\n \r\n"_s << u"\n\n\t"_s << false;
        QTest::addRow("ideographic space") << u"\u3000\u3000"_s << QString() << false;
        QTest::addRow("line and paragraph separators") << u"\u2028"_s << u"\u2029\u0085"_s << false;
        QTest::addRow("no-break space") << u"\u00a0"_s << u"\u202f"_s << false;
        QTest::addRow("message only") << u"  周五前交 \n"_s << QString() << true;
        QTest::addRow("note only") << u"\t"_s << u"不想去"_s << true;
        QTest::addRow("one character among blanks") << u"\u3000x\u3000"_s << u"\n"_s << true;
        QTest::addRow("zero-width space is not blank") << u"\u200b"_s << QString() << true;
    }

    void enableRule()
    {
        QFETCH(QString, otherMsg);
        QFETCH(QString, myNote);
        QFETCH(bool, enabled);
        control<QPlainTextEdit>(*m_view, u"对方发的消息"_s)->setPlainText(otherMsg);
        control<QPlainTextEdit>(*m_view, u"我想回复的意思"_s)->setPlainText(myNote);
        QCOMPARE(control<QPushButton>(*m_view, u"开始分析"_s)->isEnabled(), enabled);
    }

    void fieldsWriteTheirState()
    {
        auto* myRole = control<QLineEdit>(*m_view, u"员工"_s);
        myRole->selectAll();
        QTest::keyClick(myRole, Qt::Key_Backspace);
        QCOMPARE(m_view->state().myRole, QString());
        QCOMPARE(myRole->placeholderText(), u"员工"_s);
        auto* otherRole = control<QLineEdit>(*m_view, u"领导"_s);
        otherRole->setFocus();
        otherRole->end(false);
        compose(otherRole, u"men"_s, u"们"_s);
        QCOMPARE(m_view->state().otherRole, u"领导们"_s);

        auto* industry = m_view->findChild<QComboBox*>();
        QTest::keyClick(industry, Qt::Key_Up);
        QCOMPARE(industry->currentText(), u"大厂"_s);
        QCOMPARE(m_view->state().industry, u"tech"_s);
        QTest::keyClick(industry, Qt::Key_Up);
        QCOMPARE(m_view->state().industry, u"state"_s);

        auto* note = control<QPlainTextEdit>(*m_view, u"我想回复的意思"_s);
        note->setFocus();
        compose(note, u"hao"_s, u"好"_s);
        QTest::keyClick(note, Qt::Key_Return);
        QInputMethodEvent composing(u"de"_s, {});
        QApplication::sendEvent(note, &composing);
        // A composition in progress is not yet text, and showing the state must not break it.
        QCOMPARE(m_view->state().myNote, u"好\n"_s);
        compose(note, u"de"_s, u"的"_s);
        QCOMPARE(m_view->state().myNote, u"好\n的"_s);
        QCOMPARE(note->toPlainText(), u"好\n的"_s);
        QCOMPARE(m_view->state().otherMsg, QString());
    }

    // Starting an analysis must not move the typing into a role field, whose text Qt selects.
    void startingKeepsTheTypingPlace()
    {
        m_server->hang();
        auto* note = control<QPlainTextEdit>(*m_view, u"我想回复的意思"_s);
        auto* start = control<QPushButton>(*m_view, u"开始分析"_s);
        note->setFocus();
        QTest::keyClicks(note, u"a"_s);
        QTest::mouseClick(start, Qt::LeftButton);
        QVERIFY(m_view->state().loading);
        QTest::keyClicks(QApplication::focusWidget(), u"b"_s);
        QCOMPARE(m_view->state().myNote, u"ab"_s);

        m_view = std::make_unique<ContentView>(*m_client);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        start = control<QPushButton>(*m_view, u"开始分析"_s);
        control<QPlainTextEdit>(*m_view, u"我想回复的意思"_s)->setPlainText(u"a"_s);
        start->setFocus();
        QTest::keyClick(start, Qt::Key_Space);
        QVERIFY(m_view->state().loading);
        QTest::keyClicks(QApplication::focusWidget(), u"b"_s);
        QCOMPARE(m_view->state().myRole, u"员工"_s);
        QCOMPARE(m_view->state().otherRole, u"领导"_s);
    }

    void paste_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("expected");
        QTest::addRow("plain text, kept untrimmed")
            << u"  周五前\n\n交给我 \u3000"_s << QString() << u"  周五前\n\n交给我 \u3000"_s;
        QTest::addRow("plain text beside html") << u"见附件"_s << u"<b>见附件</b>"_s << u"见附件"_s;
        QTest::addRow("html only") << QString() << u"<b>不要</b>"_s << QString();
        QTest::addRow("empty clipboard") << QString() << QString() << QString();
    }

    void paste()
    {
        QFETCH(QString, text);
        QFETCH(QString, html);
        QFETCH(QString, expected);
        auto* message = control<QPlainTextEdit>(*m_view, u"对方发的消息"_s);
        message->setPlainText(u"旧的内容"_s);
        auto* data = new QMimeData;
        if (!text.isNull()) {
            data->setText(text);
        }
        if (!html.isNull()) {
            data->setHtml(html);
        }
        QGuiApplication::clipboard()->setMimeData(data);

        QTest::mouseClick(control<QPushButton>(*m_view, u"📋 粘贴剪贴板"_s), Qt::LeftButton);
        QCOMPARE(m_view->state().otherMsg, expected);
        QCOMPARE(message->toPlainText(), expected);
        QCOMPARE(m_view->state().myNote, QString());
    }

    void transitions_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("result");
        QTest::addRow("service error as plain text")
            << 403 << QByteArray(R"({"error":"<b>x</b> <img src=a.png>"})")
            << u"<b>x</b> <img src=a.png>"_s << false;
        QTest::addRow("answer not an object")
            << 200 << QByteArray("[]") << u"响应格式错误"_s << false;
        QTest::addRow("result") << 200 << QByteArray(R"({"result":"· 潜台词：快点"})") << QString()
                                << true;
        QTest::addRow("neither error nor result") << 200 << QByteArray("{}") << QString() << false;
    }

    // Every row starts from a failed analysis, so the second press must also clear it.
    void transitions()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, error);
        QFETCH(bool, result);
        auto* start = control<QPushButton>(*m_view, u"开始分析"_s);
        QLabel* line = errorLine(*m_view);
        control<QPlainTextEdit>(*m_view, u"对方发的消息"_s)->setPlainText(u"周五前交"_s);

        m_server->answer(500, R"({"error":"earlier"})");
        QTest::mouseClick(start, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(line->isVisible(), slow);
        QCOMPARE(line->text(), u"earlier"_s);

        m_server->hang();
        QTest::mouseClick(start, Qt::LeftButton);
        QVERIFY(m_view->state().loading);
        QCOMPARE(start->text(), u"分析中…"_s);
        QVERIFY(!start->isEnabled());
        QVERIFY(!line->isVisible());
        // The rest of the form stays usable while the exchange runs.
        QVERIFY(control<QPushButton>(*m_view, u"📋 粘贴剪贴板"_s)->isEnabled());
        QVERIFY(!control<QPlainTextEdit>(*m_view, u"我想回复的意思"_s)->isReadOnly());

        // A hung exchange would outlive the row; start the measured one on a fresh service.
        m_view.reset();
        m_client.reset();
        m_server = std::make_unique<HttpsTestServer>();
        QVERIFY(m_server->listen());
        m_server->answer(status, body);
        m_client = std::make_unique<AnalysisClient>(m_nam, m_server->url(),
                                                    m_server->caCertificates(), 20s);
        m_view = std::make_unique<ContentView>(*m_client);
        m_view->show();
        start = control<QPushButton>(*m_view, u"开始分析"_s);
        line = errorLine(*m_view);
        control<QPlainTextEdit>(*m_view, u"我想回复的意思"_s)->setPlainText(u"不想去"_s);
        QTest::mouseClick(start, Qt::LeftButton);
        QVERIFY(m_view->state().loading);
        QTRY_VERIFY_WITH_TIMEOUT(!m_view->state().loading, slow);

        QCOMPARE(start->text(), u"开始分析"_s);
        QVERIFY(start->isEnabled());
        QCOMPARE(line->isVisible(), !error.isNull());
        QCOMPARE(m_view->state().errorMsg.value_or(QString()), error);
        QCOMPARE(line->textFormat(), Qt::PlainText);
        QCOMPARE(line->text(), error.isNull() ? QString() : error);
        QCOMPARE(m_view->state().result.has_value(), result);
        QCOMPARE(m_view->state().myNote, u"不想去"_s);
    }

private:
    QNetworkAccessManager m_nam;
    std::unique_ptr<HttpsTestServer> m_server;
    std::unique_ptr<AnalysisClient> m_client;
    std::unique_ptr<ContentView> m_view;
};

QTEST_MAIN(TestContentView)
#include "tst_contentview.moc"
