// SPDX-License-Identifier: MIT
#include "FakeUpstream.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sys/socket.h>

using namespace Qt::Literals::StringLiterals;

namespace {

std::string completion(const std::string& content)
{
    const QJsonObject message{{u"role"_s, u"assistant"_s},
                              {u"content"_s, QString::fromStdString(content)}};
    const QJsonObject body{
        {u"object"_s, u"chat.completion"_s},
        {u"choices"_s, QJsonArray{QJsonObject{{u"index"_s, 0}, {u"message"_s, message}}}}};
    return QJsonDocument(body).toJson(QJsonDocument::Compact).toStdString();
}

} // namespace

FakeUpstream::FakeUpstream(bool keepRequests)
    : m_keepRequests(keepRequests)
{
    m_server.Post(
        "/v1/chat/completions", [this](const httplib::Request& req, httplib::Response& res) {
            std::unique_lock lock(m_mutex);
            ++m_requestCount;
            if (m_keepRequests) {
                m_requests.push_back(req.body);
            }
            const Reply reply = m_script.empty() ? Reply{} : m_script.front();
            if (m_script.size() > 1) {
                m_script.pop_front();
            }
            if (reply.hang) {
                m_released.wait(lock, [this] { return m_stopping; });
                return;
            }
            res.status = reply.status;
            res.set_content(reply.status == 200 ? completion(reply.content) : R"({"error":"boom"})",
                            "application/json");
        });
    // As the service does: the library's backlog of 5 would reset the service's connections.
    int listening = -1;
    m_server.set_socket_options([&listening](int socket) {
        listening = socket;
        httplib::default_socket_options(socket);
    });
    m_port = m_server.bind_to_any_port("127.0.0.1");
    m_server.set_socket_options(httplib::default_socket_options);
    ::listen(listening, SOMAXCONN);
    m_server.new_task_queue = [] {
        return new httplib::ThreadPool(32);
    };
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
}

FakeUpstream::~FakeUpstream()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_released.notify_all();
    while (!m_server.is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    m_server.stop();
    m_thread.join();
}

void FakeUpstream::script(std::vector<Reply> replies)
{
    const std::lock_guard lock(m_mutex);
    m_script.assign(replies.begin(), replies.end());
}

std::string FakeUpstream::baseUrl() const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + "/v1";
}

std::vector<std::string> FakeUpstream::requests() const
{
    const std::lock_guard lock(m_mutex);
    return m_requests;
}

std::size_t FakeUpstream::requestCount() const
{
    const std::lock_guard lock(m_mutex);
    return m_requestCount;
}
