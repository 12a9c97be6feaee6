// SPDX-License-Identifier: MIT
#include "AnalysisService.h"

#include "Generate.h"
#include "JsonAnswer.h"
#include "RequestLog.h"

#include <httplib.h>
#include <sys/socket.h>
#include <thread>

using namespace Qt::Literals::StringLiterals;

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto generatePath = "/api/generate";
constexpr auto jsonType = "application/json; charset=utf-8";

// When this thread began the request it is on. Set as a connection is picked up and at each
// routed request; requests refused before routing (bad request line, oversized body) are
// measured from the previous mark on their connection.
thread_local Clock::time_point requestStart = Clock::now();

class TimedPool final : public httplib::TaskQueue {
public:
    explicit TimedPool(std::size_t threads)
        : m_pool(threads)
    {}

    void enqueue(std::function<void()> fn) override
    {
        m_pool.enqueue([fn = std::move(fn)] {
            requestStart = Clock::now();
            fn();
        });
    }

    void shutdown() override { m_pool.shutdown(); }

private:
    httplib::ThreadPool m_pool;
};

QString statusError(int status)
{
    switch (status) {
    case 400:
        return u"请求格式错误"_s;
    case 404:
        return u"没有这个地址：分析请求请发到 POST /api/generate"_s;
    case 405:
        return u"不支持这个请求方法：/api/generate 只接受 POST"_s;
    case 413:
        return u"请求太大：请求体最多 64 KiB"_s;
    case 414:
        return u"请求地址太长"_s;
    default:
        return status >= 500 ? u"分析服务内部错误，请稍后再试"_s : u"请求无法处理"_s;
    }
}

void setJson(httplib::Response& res, int status, std::string body)
{
    res.status = status;
    res.set_content(std::move(body), jsonType);
}

// Behind the loopback-only plain listener the peer is the reverse proxy; the client is the
// address the proxy appended last.
std::string clientAddress(const httplib::Request& req, bool behindProxy)
{
    if (behindProxy && req.has_header("X-Forwarded-For")) {
        std::string chain = req.get_header_value("X-Forwarded-For");
        const auto comma = chain.rfind(',');
        std::string last = comma == std::string::npos ? chain : chain.substr(comma + 1);
        const auto begin = last.find_first_not_of(' ');
        const auto end = last.find_last_not_of(' ');
        if (begin != std::string::npos) {
            return last.substr(begin, end - begin + 1);
        }
    }
    return req.remote_addr;
}

} // namespace

AnalysisService::AnalysisService(ServiceConfig config, LogSink log)
    : m_config(std::move(config))
    , m_log(std::move(log))
    , m_limiter(m_config.requestsPerMinute, m_config.burst)
{}

AnalysisService::~AnalysisService() = default;

bool AnalysisService::bind()
{
    if (m_config.plainHttp) {
        m_server = std::make_unique<httplib::Server>();
    } else {
        m_server =
            std::make_unique<httplib::SSLServer>(m_config.tlsCert.c_str(), m_config.tlsKey.c_str());
    }
    if (!m_server->is_valid()) {
        return false;
    }
    route(*m_server);

    // The library listens with a backlog of 5, which turns a burst of clients into dropped
    // SYNs and reset connections; Linux lets a second listen() on the socket widen it.
    int listening = -1;
    m_server->set_socket_options([&listening](int socket) {
        listening = socket;
        httplib::default_socket_options(socket);
    });
    if (m_config.port == 0) {
        m_port = m_server->bind_to_any_port(m_config.listenAddress);
    } else if (m_server->bind_to_port(m_config.listenAddress, m_config.port)) {
        m_port = m_config.port;
    }
    m_server->set_socket_options(httplib::default_socket_options);
    return m_port > 0 && ::listen(listening, SOMAXCONN) == 0;
}

void AnalysisService::route(httplib::Server& s)
{
    const auto workers = static_cast<std::size_t>(m_config.workers);
    s.new_task_queue = [workers] {
        return new TimedPool(workers);
    };
    s.set_payload_max_length(maxBodyBytes);
    s.set_read_timeout(10);
    s.set_write_timeout(10);

    s.set_pre_routing_handler([](const httplib::Request&, httplib::Response&) {
        requestStart = Clock::now();
        return httplib::Server::HandlerResponse::Unhandled;
    });

    s.Post(generatePath, [this](const httplib::Request& req, httplib::Response& res) {
        if (!m_limiter.allow(clientKey(clientAddress(req, m_config.plainHttp)), Clock::now())) {
            res.set_header("Retry-After", "10");
            setJson(res, 429, errorJson(u"请求太频繁，请稍后再试"_s));
            return;
        }
        Answer answer = generate(req.body, m_config.upstream);
        setJson(res, answer.status, std::move(answer.body));
    });
    const auto wrongMethod = [](const httplib::Request&, httplib::Response& res) {
        res.set_header("Allow", "POST");
        setJson(res, 405, errorJson(statusError(405)));
    };
    s.Get(generatePath, wrongMethod);
    s.Put(generatePath, wrongMethod);
    s.Patch(generatePath, wrongMethod);
    s.Delete(generatePath, wrongMethod);
    s.Options(generatePath, wrongMethod);

    // Whatever the library refuses on its own (unknown path, oversized body, broken request)
    // still answers JSON.
    s.set_error_handler(
        httplib::Server::HandlerWithResponse([](const httplib::Request&, httplib::Response& res) {
            if (res.body.empty()) {
                setJson(res, res.status, errorJson(statusError(res.status)));
            }
            return httplib::Server::HandlerResponse::Handled;
        }));
    s.set_exception_handler(
        [](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
            setJson(res, 500, errorJson(statusError(500)));
        });

    s.set_logger([this](const httplib::Request& req, const httplib::Response& res) {
        const auto now = Clock::now();
        m_log(requestLogLine(
            std::chrono::system_clock::now(), res.status,
            std::chrono::duration_cast<std::chrono::microseconds>(now - requestStart),
            req.body.size(), res.body.size()));
        requestStart = now;
    });
}

void AnalysisService::run()
{
    m_server->listen_after_bind();
}

void AnalysisService::stop()
{
    // A stop before the accept loop has started would be lost and leave run() blocking.
    while (!m_server->is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    m_server->stop();
}
