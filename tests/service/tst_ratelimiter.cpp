// SPDX-License-Identifier: MIT
#include "RateLimiter.h"

#include <QTest>

#include <vector>

using namespace std::chrono_literals;

namespace {

struct Step {
    std::string client;
    std::chrono::milliseconds at;
    bool allowed;
};

} // namespace

Q_DECLARE_METATYPE(std::vector<Step>)

class TestRateLimiter final : public QObject {
    Q_OBJECT

private slots:
    void buckets_data();
    void buckets();
    void idleClientsAreForgotten();
    void clientKeys_data();
    void clientKeys();
};

// 6 per minute is one token every 10 s; a burst of 2.
void TestRateLimiter::buckets_data()
{
    QTest::addColumn<std::vector<Step>>("steps");

    QTest::addRow("burst, then refused")
        << std::vector<Step>{{"a", 0ms, true}, {"a", 0ms, true}, {"a", 1ms, false}};
    QTest::addRow("one token back after 10 s") << std::vector<Step>{{"a", 0ms, true},
                                                                    {"a", 0ms, true},
                                                                    {"a", 9900ms, false},
                                                                    {"a", 10100ms, true},
                                                                    {"a", 10200ms, false}};
    QTest::addRow("refill stops at the burst") << std::vector<Step>{
        {"a", 0ms, true}, {"a", 600s, true}, {"a", 600s, true}, {"a", 600s, false}};
    QTest::addRow("clients are independent")
        << std::vector<Step>{{"a", 0ms, true}, {"a", 0ms, true}, {"a", 0ms, false},
                             {"b", 0ms, true}, {"b", 0ms, true}, {"b", 0ms, false}};
    QTest::addRow("refused requests cost nothing") << std::vector<Step>{{"a", 0ms, true},
                                                                        {"a", 0ms, true},
                                                                        {"a", 1s, false},
                                                                        {"a", 2s, false},
                                                                        {"a", 10500ms, true}};
    QTest::addRow("a clock step back takes no tokens")
        << std::vector<Step>{{"a", 10s, true}, {"a", 0ms, true}, {"a", 5s, false}};
}

void TestRateLimiter::buckets()
{
    QFETCH(std::vector<Step>, steps);
    RateLimiter limiter(6, 2);
    const auto start = RateLimiter::Clock::now();
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        QVERIFY2(limiter.allow(step.client, start + step.at) == step.allowed,
                 qPrintable(QStringLiteral("step %1").arg(i + 1)));
    }
}

void TestRateLimiter::idleClientsAreForgotten()
{
    RateLimiter limiter(60, 1);
    const auto start = RateLimiter::Clock::now();
    QVERIFY(limiter.allow("limited", start + 9s));
    for (int i = 0; i < 5000; ++i) {
        limiter.allow("client" + std::to_string(i), start);
    }
    // Later the one-off clients are full again and go as new ones arrive; the limited one stays.
    QVERIFY(!limiter.allow("limited", start + 9500ms));
    for (int i = 0; i < 4000; ++i) {
        QVERIFY(limiter.allow("late" + std::to_string(i), start + 9500ms));
    }
    QVERIFY(limiter.trackedClients() < 5000);
    QVERIFY(!limiter.allow("limited", start + 9600ms));
}

void TestRateLimiter::clientKeys_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("key");

    QTest::addRow("IPv4 as is") << QStringLiteral("192.0.2.7") << QStringLiteral("192.0.2.7");
    QTest::addRow("IPv6 by /64") << QStringLiteral("2001:db8:1:2:aaaa:bbbb:cccc:dddd")
                                 << QStringLiteral("2001:db8:1:2::/64");
    QTest::addRow("same /64, same key")
        << QStringLiteral("2001:db8:1:2::1") << QStringLiteral("2001:db8:1:2::/64");
    QTest::addRow("not an address") << QStringLiteral("proxy") << QStringLiteral("proxy");
}

void TestRateLimiter::clientKeys()
{
    QFETCH(QString, address);
    QFETCH(QString, key);
    QCOMPARE(QString::fromStdString(clientKey(address.toStdString())), key);
}

QTEST_GUILESS_MAIN(TestRateLimiter)
#include "tst_ratelimiter.moc"
