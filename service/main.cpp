// SPDX-License-Identifier: MIT
// The analysis service: configured from ZORVIK_* environment variables, stopped by SIGTERM
// or SIGINT.
#include "AnalysisService.h"
#include "ServiceConfig.h"

#include <QProcessEnvironment>

#include <csignal>
#include <cstdio>
#include <mutex>
#include <pthread.h>
#include <thread>

namespace {

std::mutex logMutex;

void logLine(const std::string& line)
{
    const std::lock_guard lock(logMutex);
    std::fprintf(stderr, "%s\n", line.c_str());
}

} // namespace

int main()
{
    const auto loaded = loadConfig(QProcessEnvironment::systemEnvironment());
    if (const auto* error = std::get_if<QString>(&loaded)) {
        logLine("configuration error: " + error->toStdString());
        return 2;
    }
    const ServiceConfig config = std::get<ServiceConfig>(loaded);

    // Blocked before any thread starts, so only sigwait below sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    AnalysisService service(config, logLine);
    if (!service.bind()) {
        logLine(config.plainHttp
                    ? "cannot listen on " + config.listenAddress + ":" + std::to_string(config.port)
                    : "cannot load ZORVIK_TLS_CERT/ZORVIK_TLS_KEY or listen on " +
                          config.listenAddress + ":" + std::to_string(config.port));
        return 1;
    }
    logLine(std::string("listening on ") + (config.plainHttp ? "http" : "https") + "://" +
            config.listenAddress + ":" + std::to_string(service.port()) + ", model " +
            config.upstream.model.toStdString() + " at " +
            config.upstream.baseUrl.toDisplayString().toStdString());

    std::thread server([&service] { service.run(); });
    int received = 0;
    sigwait(&stopSignals, &received);
    service.stop();
    server.join();
    return 0;
}
