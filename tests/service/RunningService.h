// SPDX-License-Identifier: MIT
#pragma once

#include "AnalysisService.h"

#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The service on a free loopback port over plain HTTP, in its own thread, keeping its log.
class RunningService final {
public:
    // The load check keeps no log, so its memory figures are the service's own.
    explicit RunningService(ServiceConfig config, bool keepLog = true);
    ~RunningService();

    bool started() const { return m_started; }
    int port() const { return m_service.port(); }
    std::vector<std::string> logLines() const;

    // A configuration for tests: generous rate limit, the given upstream and budget.
    static ServiceConfig config(const std::string& upstreamBaseUrl,
                                std::chrono::milliseconds budget);

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_log;
    AnalysisService m_service;
    bool m_started = false;
    std::thread m_thread;
};
