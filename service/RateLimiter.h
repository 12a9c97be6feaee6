// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstddef>
#include <mutex>
#include <string>
#include <unordered_map>

// A token bucket per client key, safe to share between worker threads. Buckets that have
// refilled completely are forgotten, so memory follows the number of recently active clients.
class RateLimiter final {
public:
    using Clock = std::chrono::steady_clock;

    RateLimiter(double requestsPerMinute, double burst);

    // Takes one token from the client's bucket; false when it is empty.
    bool allow(const std::string& client, Clock::time_point now);

    std::size_t trackedClients() const;

private:
    struct Bucket {
        double tokens;
        Clock::time_point updated;
    };

    double refilled(const Bucket& bucket, Clock::time_point now) const;
    void forgetFullBuckets(Clock::time_point now);

    const double m_perSecond;
    const double m_burst;
    mutable std::mutex m_mutex;
    std::unordered_map<std::string, Bucket> m_buckets;
    std::size_t m_sweepAt;
};

// Clients of one IPv6 /64 share a bucket: one host usually owns the whole prefix.
std::string clientKey(const std::string& address);
