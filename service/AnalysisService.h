// SPDX-License-Identifier: MIT
#pragma once

#include "RateLimiter.h"
#include "ServiceConfig.h"

#include <functional>
#include <memory>
#include <string>

namespace httplib {
class Server;
}

// The HTTP(S) front: routes, size limits, rate limit, JSON for every answer, one log line per
// request. It keeps no state between requests beyond the rate limiter's buckets.
class AnalysisService final {
public:
    using LogSink = std::function<void(const std::string& line)>;

    AnalysisService(ServiceConfig config, LogSink log);
    ~AnalysisService();

    // False when the certificate or key cannot be loaded or the address cannot be bound.
    bool bind();
    int port() const { return m_port; }
    // Blocks until stop().
    void run();
    // From another thread, once run() has been called.
    void stop();

private:
    void route(httplib::Server& server);

    ServiceConfig m_config;
    LogSink m_log;
    RateLimiter m_limiter;
    std::unique_ptr<httplib::Server> m_server;
    int m_port = 0;
};

// The request bodies the service accepts at most.
inline constexpr std::size_t maxBodyBytes = 64 * 1024;
