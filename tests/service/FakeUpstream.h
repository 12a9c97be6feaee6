// SPDX-License-Identifier: MIT
#pragma once

#include <condition_variable>
#include <deque>
#include <httplib.h>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// An OpenAI-compatible chat-completions server on loopback that plays scripted replies in
// order; once the script runs out, the last reply repeats.
class FakeUpstream final {
public:
    struct Reply {
        int status = 200;
        std::string content; // the model's text, wrapped into a completion object
        bool hang = false;   // never answer, until the fake is destroyed
    };

    // The load check keeps no bodies, so its memory figures are the service's own.
    explicit FakeUpstream(bool keepRequests = true);
    ~FakeUpstream();

    void script(std::vector<Reply> replies);
    int port() const { return m_port; }
    std::string baseUrl() const;
    // Request bodies received so far, in order.
    std::vector<std::string> requests() const;
    std::size_t requestCount() const;

private:
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_stopping = false;
    std::deque<Reply> m_script;
    const bool m_keepRequests;
    std::size_t m_requestCount = 0;
    std::vector<std::string> m_requests;
};
