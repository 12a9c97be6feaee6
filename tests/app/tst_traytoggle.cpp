// SPDX-License-Identifier: MIT
#include "TrayToggle.h"

#include <QTest>

#include <chrono>
#include <optional>

using namespace std::chrono_literals;
using Action = TrayToggle::Action;

class TestTrayToggle final : public QObject {
    Q_OBJECT
private slots:
    void clickReasons_data();
    void clickReasons();
    void onClick_data();
    void onClick();
};

void TestTrayToggle::clickReasons_data()
{
    QTest::addColumn<QSystemTrayIcon::ActivationReason>("reason");
    QTest::addColumn<bool>("isClick");
    QTest::addRow("single click") << QSystemTrayIcon::Trigger << true;
    QTest::addRow("quick reopen arrives as double click") << QSystemTrayIcon::DoubleClick << true;
    QTest::addRow("context menu request") << QSystemTrayIcon::Context << false;
    QTest::addRow("middle button") << QSystemTrayIcon::MiddleClick << false;
}

void TestTrayToggle::clickReasons()
{
    QFETCH(QSystemTrayIcon::ActivationReason, reason);
    QFETCH(bool, isClick);
    QCOMPARE(TrayToggle::isClick(reason), isClick);
}

void TestTrayToggle::onClick_data()
{
    QTest::addColumn<bool>("shown");
    QTest::addColumn<std::optional<std::chrono::milliseconds>>("selfHidAgo");
    QTest::addColumn<Action>("expected");

    const std::optional<std::chrono::milliseconds> never;
    QTest::addRow("closed since launch: opens") << false << never << Action::Open;
    QTest::addRow("open: closes") << true << never << Action::Close;
    QTest::addRow("the press on the icon just made it hide itself: stays closed")
        << false << std::optional(0ms) << Action::Ignore;
    QTest::addRow("hid itself 199 ms ago: stays closed")
        << false << std::optional(199ms) << Action::Ignore;
    QTest::addRow("hid itself 200 ms ago: a deliberate click reopens")
        << false << std::optional(200ms) << Action::Open;
    QTest::addRow("hid itself long ago: opens") << false << std::optional(5000ms) << Action::Open;
    QTest::addRow("reopened after a self-hide, now open: closes")
        << true << std::optional(50ms) << Action::Close;
}

void TestTrayToggle::onClick()
{
    QFETCH(bool, shown);
    QFETCH(std::optional<std::chrono::milliseconds>, selfHidAgo);
    QFETCH(Action, expected);

    const TrayToggle::Clock::time_point now = TrayToggle::Clock::now();
    TrayToggle toggle;
    if (selfHidAgo) {
        toggle.popoverHidItself(now - *selfHidAgo);
    }
    QCOMPARE(toggle.onClick(shown, now), expected);
}

QTEST_APPLESS_MAIN(TestTrayToggle)
#include "tst_traytoggle.moc"
