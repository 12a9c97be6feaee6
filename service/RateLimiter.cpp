// SPDX-License-Identifier: MIT
#include "RateLimiter.h"

#include <algorithm>
#include <arpa/inet.h>

namespace {

constexpr std::size_t minSweep = 4096;

} // namespace

RateLimiter::RateLimiter(double requestsPerMinute, double burst)
    : m_perSecond(requestsPerMinute / 60.0)
    , m_burst(burst)
    , m_sweepAt(minSweep)
{}

double RateLimiter::refilled(const Bucket& bucket, Clock::time_point now) const
{
    const std::chrono::duration<double> idle = now - bucket.updated;
    return std::min(m_burst, bucket.tokens + std::max(0.0, idle.count()) * m_perSecond);
}

bool RateLimiter::allow(const std::string& client, Clock::time_point now)
{
    const std::lock_guard lock(m_mutex);
    auto it = m_buckets.find(client);
    if (it == m_buckets.end()) {
        if (m_buckets.size() >= m_sweepAt) {
            forgetFullBuckets(now);
        }
        it = m_buckets.emplace(client, Bucket{m_burst, now}).first;
    }
    Bucket& bucket = it->second;
    bucket.tokens = refilled(bucket, now);
    bucket.updated = std::max(bucket.updated, now);
    if (bucket.tokens < 1.0) {
        return false;
    }
    bucket.tokens -= 1.0;
    return true;
}

void RateLimiter::forgetFullBuckets(Clock::time_point now)
{
    std::erase_if(m_buckets,
                  [&](const auto& entry) { return refilled(entry.second, now) >= m_burst; });
    // Sweeping again only after the map has doubled keeps insertion amortised constant.
    m_sweepAt = std::max(minSweep, 2 * m_buckets.size());
}

std::size_t RateLimiter::trackedClients() const
{
    const std::lock_guard lock(m_mutex);
    return m_buckets.size();
}

std::string clientKey(const std::string& address)
{
    in6_addr v6{};
    if (inet_pton(AF_INET6, address.c_str(), &v6) != 1) {
        return address;
    }
    std::fill(v6.s6_addr + 8, v6.s6_addr + 16, 0);
    char text[INET6_ADDRSTRLEN] = {};
    inet_ntop(AF_INET6, &v6, text, sizeof text);
    return std::string(text) + "/64";
}
