// SPDX-License-Identifier: MIT
// 200 concurrent clients send 5 analyses each to the service, which asks a fake model server
// on loopback. Every answer must be a JSON object with a result; resident memory must not
// grow from one round to the next. Prints requests per second and latency percentiles.
#include "FakeUpstream.h"
#include "RunningService.h"
#include "analysis/EncodeBody.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <httplib.h>
#include <string>
#include <thread>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr int clients = 200;
constexpr int requestsPerClient = 5;

using Clock = std::chrono::steady_clock;

struct Round {
    std::vector<double> latenciesMs;
    int bad = 0;
    double seconds = 0;
};

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
        status.ignore(1 << 12, '\n');
    }
    return -1;
}

bool isResult(const httplib::Result& res)
{
    if (!res || res->status != 200) {
        return false;
    }
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(res->body));
    return doc.isObject() && doc.object().value(u"result"_s).isString();
}

Round runRound(int port, const std::string& body)
{
    Round round;
    std::vector<std::vector<double>> perClient(clients);
    std::atomic<int> bad = 0;
    std::vector<std::thread> threads;
    const auto start = Clock::now();
    for (int c = 0; c < clients; ++c) {
        threads.emplace_back([&, c] {
            for (int i = 0; i < requestsPerClient; ++i) {
                httplib::Client client("127.0.0.1", port);
                client.set_read_timeout(60s);
                const auto sent = Clock::now();
                const httplib::Result res = client.Post("/api/generate", body, "application/json");
                const std::chrono::duration<double, std::milli> took = Clock::now() - sent;
                perClient[static_cast<std::size_t>(c)].push_back(took.count());
                if (!isResult(res)) {
                    ++bad;
                }
            }
        });
    }
    for (std::thread& t : threads) {
        t.join();
    }
    round.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    for (const auto& latencies : perClient) {
        round.latenciesMs.insert(round.latenciesMs.end(), latencies.begin(), latencies.end());
    }
    std::sort(round.latenciesMs.begin(), round.latenciesMs.end());
    round.bad = bad;
    return round;
}

double percentile(const std::vector<double>& sorted, double p)
{
    const auto index = static_cast<std::size_t>(p * static_cast<double>(sorted.size() - 1));
    return sorted[index];
}

} // namespace

int main()
{
    FakeUpstream upstream(false);
    upstream.script(
        {{200, "· 潜台词：他在催进度\n· 类型：结果导向型\n· 底层逻辑：只看结果\n"
               "A【稳妥型】：收到 → 先表态\nB【坦诚型】：周四完成\nC【主动型】：我先发您 → 换信任\n"
               "📖 职场秘籍\n先给结论。"}});
    ServiceConfig config = RunningService::config(upstream.baseUrl(), 60s);
    config.workers = 32;
    RunningService service(config, false);
    if (!service.started()) {
        std::fprintf(stderr, "the service did not start\n");
        return 1;
    }
    const std::string body =
        encodeBody(u"员工"_s, u"领导"_s, u"对方发来的消息：\n"_s + QString(400, u'话'), u"tech"_s)
            .toStdString();

    // Warm-up: thread stacks and allocator arenas settle over the first rounds.
    runRound(service.port(), body);
    runRound(service.port(), body);
    long rss[2] = {};
    bool ok = true;
    for (int r = 0; r < 2; ++r) {
        const Round round = runRound(service.port(), body);
        rss[r] = residentKiB();
        const auto total = round.latenciesMs.size();
        std::printf("round %d: %zu requests, %d bad, %.0f requests/s, latency p50 %.1f ms, "
                    "p99 %.1f ms, max %.1f ms, RSS %ld KiB\n",
                    r + 1, total, round.bad, static_cast<double>(total) / round.seconds,
                    percentile(round.latenciesMs, 0.5), percentile(round.latenciesMs, 0.99),
                    round.latenciesMs.back(), rss[r]);
        ok = ok && round.bad == 0 && total == static_cast<std::size_t>(clients * requestsPerClient);
    }
    const long growth = rss[1] - rss[0];
    std::printf("RSS growth between rounds: %ld KiB (%.1f%%)\n", growth,
                100.0 * static_cast<double>(growth) / static_cast<double>(rss[0]));
    // Allocator noise between rounds reaches about 4%; a leak of 2 KB per request shows as 10%.
    if (growth > rss[0] / 10) {
        std::fprintf(stderr, "resident memory grew between rounds\n");
        ok = false;
    }
    const std::size_t upstreamCalls = upstream.requestCount();
    std::printf("upstream calls: %zu\n", upstreamCalls);
    return ok ? 0 : 1;
}
