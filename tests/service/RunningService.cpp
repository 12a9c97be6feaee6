// SPDX-License-Identifier: MIT
#include "RunningService.h"

#include <QString>
#include <QUrl>

RunningService::RunningService(ServiceConfig config, bool keepLog)
    : m_service(std::move(config), [this, keepLog](const std::string& line) {
        if (!keepLog) {
            return;
        }
        const std::lock_guard lock(m_mutex);
        m_log.push_back(line);
    })
{
    m_started = m_service.bind();
    if (m_started) {
        m_thread = std::thread([this] { m_service.run(); });
    }
}

RunningService::~RunningService()
{
    if (m_started) {
        m_service.stop();
        m_thread.join();
    }
}

std::vector<std::string> RunningService::logLines() const
{
    const std::lock_guard lock(m_mutex);
    return m_log;
}

ServiceConfig RunningService::config(const std::string& upstreamBaseUrl,
                                     std::chrono::milliseconds budget)
{
    ServiceConfig c;
    c.upstream.baseUrl = QUrl(QString::fromStdString(upstreamBaseUrl));
    c.upstream.model = QStringLiteral("test-model");
    c.upstream.budget = budget;
    c.listenAddress = "127.0.0.1";
    c.port = 0;
    c.plainHttp = true;
    c.requestsPerMinute = 1e9;
    c.burst = 1e9;
    c.workers = 8;
    return c;
}
