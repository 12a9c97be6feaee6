// SPDX-License-Identifier: MIT
#include "Upstream.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <httplib.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A chat answer is a few kilobytes; anything far beyond is not one.
constexpr size_t maxAnswerBytes = 1 << 20;

using Clock = std::chrono::steady_clock;

QString endpointPath(const QUrl& base)
{
    QString path = base.path(QUrl::FullyEncoded);
    while (path.endsWith(u'/')) {
        path.chop(1);
    }
    return path + u"/chat/completions"_s;
}

std::string requestBody(const UpstreamSettings& upstream, const QJsonArray& messages)
{
    const QJsonObject body{{u"model"_s, upstream.model},
                           {u"messages"_s, messages},
                           {u"stream"_s, false},
                           {u"temperature"_s, 0.7}};
    return QJsonDocument(body).toJson(QJsonDocument::Compact).toStdString();
}

std::optional<QString> answerText(const std::string& body)
{
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(body));
    const QJsonValue content = doc.object().value(u"choices"_s)[0][u"message"_s][u"content"_s];
    if (!content.isString()) {
        return std::nullopt;
    }
    return content.toString();
}

} // namespace

Completion complete(const UpstreamSettings& upstream, const QJsonArray& messages,
                    std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    httplib::Client client(upstream.baseUrl.adjusted(QUrl::RemovePath).toString().toStdString());
    client.set_connection_timeout(timeout);
    client.set_read_timeout(timeout);
    client.set_write_timeout(timeout);
    if (!upstream.apiKey.isEmpty()) {
        client.set_bearer_token_auth(upstream.apiKey.toStdString());
    }

    std::string answer;
    bool tooLarge = false;
    httplib::Request request;
    request.method = "POST";
    request.path = endpointPath(upstream.baseUrl).toStdString();
    request.headers = {{"Accept", "application/json"}};
    request.set_header("Content-Type", "application/json");
    request.body = requestBody(upstream, messages);
    // The read timeout is per read; the deadline also ends an answer that trickles in.
    request.content_receiver = [&](const char* data, size_t length, uint64_t, uint64_t) {
        if (answer.size() + length > maxAnswerBytes) {
            tooLarge = true;
            return false;
        }
        answer.append(data, length);
        return Clock::now() < deadline;
    };

    httplib::Response response;
    httplib::Error error = httplib::Error::Success;
    const bool sent = client.send(request, response, error);
    if (!sent) {
        switch (error) {
        case httplib::Error::Connection:
        case httplib::Error::BindIPAddress:
        case httplib::Error::SSLConnection:
        case httplib::Error::SSLServerVerification:
            return {Completion::Status::Unreachable, {}};
        case httplib::Error::ConnectionTimeout:
            return {Completion::Status::TimedOut, {}};
        default:
            return {!tooLarge && Clock::now() >= deadline ? Completion::Status::TimedOut
                                                          : Completion::Status::Failed,
                    {}};
        }
    }
    if (response.status < 200 || response.status > 299) {
        return {Completion::Status::Failed, {}};
    }
    if (const auto text = answerText(answer)) {
        return {Completion::Status::Ok, *text};
    }
    return {Completion::Status::Failed, {}};
}
