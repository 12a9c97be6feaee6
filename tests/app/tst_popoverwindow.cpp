// SPDX-License-Identifier: MIT
#include "PopoverWindow.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

class TestPopoverWindow final : public QObject {
    Q_OBJECT
private slots:
    void showsActivatedWhereAsked();
    void hidesItselfOnEscapeAndOnDeactivation_data();
    void hidesItselfOnEscapeAndOnDeactivation();
    void hideFromOutsideIsNoDismissal();
};

void TestPopoverWindow::showsActivatedWhereAsked()
{
    auto* content = new QLineEdit;
    PopoverWindow popover(content);
    popover.showAt(QPoint(300, 40));
    QVERIFY(QTest::qWaitForWindowActive(&popover));
    QCOMPARE(popover.pos(), QPoint(300, 40));
    QCOMPARE(popover.size(), QSize(420, 620));
    QCOMPARE(content->window(), &popover);
}

void TestPopoverWindow::hidesItselfOnEscapeAndOnDeactivation_data()
{
    QTest::addColumn<bool>("byEscape");
    QTest::addRow("Escape") << true;
    QTest::addRow("another window activated") << false;
}

void TestPopoverWindow::hidesItselfOnEscapeAndOnDeactivation()
{
    QFETCH(bool, byEscape);
    auto* content = new QLineEdit;
    PopoverWindow popover(content);
    QSignalSpy dismissed(&popover, &PopoverWindow::dismissed);
    QWidget other;
    popover.showAt(QPoint(0, 0));
    QVERIFY(QTest::qWaitForWindowActive(&popover));
    content->setFocus();
    content->setText(QStringLiteral("kept"));

    if (byEscape) {
        QTest::keyClick(content, Qt::Key_Escape);
    } else {
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
    }
    QTRY_VERIFY(!popover.isVisible());
    QCOMPARE(dismissed.count(), 1);

    popover.showAt(QPoint(0, 0));
    QVERIFY(QTest::qWaitForWindowActive(&popover));
    QCOMPARE(content->text(), QStringLiteral("kept"));
}

void TestPopoverWindow::hideFromOutsideIsNoDismissal()
{
    PopoverWindow popover(new QLineEdit);
    QSignalSpy dismissed(&popover, &PopoverWindow::dismissed);
    popover.showAt(QPoint(0, 0));
    QVERIFY(QTest::qWaitForWindowActive(&popover));
    popover.hide();
    QCOMPARE(dismissed.count(), 0);
}

QTEST_MAIN(TestPopoverWindow)
#include "tst_popoverwindow.moc"
