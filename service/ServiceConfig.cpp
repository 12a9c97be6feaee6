// SPDX-License-Identifier: MIT
#include "ServiceConfig.h"

#include <arpa/inet.h>

using namespace Qt::Literals::StringLiterals;

namespace {

bool isIpAddress(const std::string& address)
{
    in6_addr v6{};
    in_addr v4{};
    return inet_pton(AF_INET, address.c_str(), &v4) == 1 ||
           inet_pton(AF_INET6, address.c_str(), &v6) == 1;
}

struct Invalid {
    QString message;
};

QString text(const QProcessEnvironment& env, const QString& name, const QString& fallback)
{
    const QString value = env.value(name).trimmed();
    return value.isEmpty() ? fallback : value;
}

double number(const QProcessEnvironment& env, const QString& name, double fallback, double min,
              double max)
{
    const QString value = env.value(name).trimmed();
    if (value.isEmpty()) {
        return fallback;
    }
    bool ok = false;
    const double n = value.toDouble(&ok);
    if (!ok || n < min || n > max) {
        throw Invalid{
            u"%1 must be a number from %2 to %3, not \"%4\""_s.arg(name).arg(min).arg(max).arg(
                value)};
    }
    return n;
}

bool flag(const QProcessEnvironment& env, const QString& name)
{
    const QString value = env.value(name).trimmed().toLower();
    if (value.isEmpty() || value == u"0"_s || value == u"false"_s || value == u"no"_s) {
        return false;
    }
    if (value == u"1"_s || value == u"true"_s || value == u"yes"_s) {
        return true;
    }
    throw Invalid{u"%1 must be 1 or 0, not \"%2\""_s.arg(name, value)};
}

ServiceConfig read(const QProcessEnvironment& env)
{
    ServiceConfig c;
    const QString url = text(env, u"ZORVIK_UPSTREAM_URL"_s, u"http://127.0.0.1:11434/v1"_s);
    c.upstream.baseUrl = QUrl(url, QUrl::StrictMode);
    const QString scheme = c.upstream.baseUrl.scheme();
    if (!c.upstream.baseUrl.isValid() || (scheme != u"http"_s && scheme != u"https"_s) ||
        c.upstream.baseUrl.host().isEmpty() || c.upstream.baseUrl.hasQuery()) {
        throw Invalid{
            u"ZORVIK_UPSTREAM_URL must be an http:// or https:// base URL, not \"%1\""_s.arg(url)};
    }
    c.upstream.model = text(env, u"ZORVIK_MODEL"_s, u"qwen2.5:7b"_s);
    c.upstream.apiKey = env.value(u"ZORVIK_API_KEY"_s).trimmed();
    c.upstream.budget = std::chrono::milliseconds(
        static_cast<long long>(1000 * number(env, u"ZORVIK_UPSTREAM_TIMEOUT"_s, 60, 1, 80)));

    c.listenAddress = text(env, u"ZORVIK_LISTEN_ADDRESS"_s, u"127.0.0.1"_s).toStdString();
    if (!isIpAddress(c.listenAddress)) {
        throw Invalid{u"ZORVIK_LISTEN_ADDRESS must be an IP address"_s};
    }
    c.port = static_cast<int>(number(env, u"ZORVIK_PORT"_s, 8443, 1, 65535));
    c.plainHttp = flag(env, u"ZORVIK_PLAIN_HTTP"_s);
    c.tlsCert = env.value(u"ZORVIK_TLS_CERT"_s).trimmed().toStdString();
    c.tlsKey = env.value(u"ZORVIK_TLS_KEY"_s).trimmed().toStdString();
    if (c.plainHttp) {
        if (!isLoopbackAddress(c.listenAddress)) {
            throw Invalid{u"ZORVIK_PLAIN_HTTP=1 needs a loopback ZORVIK_LISTEN_ADDRESS: "
                          u"without TLS the messages must not leave the machine"_s};
        }
    } else if (c.tlsCert.empty() || c.tlsKey.empty()) {
        throw Invalid{u"set ZORVIK_TLS_CERT and ZORVIK_TLS_KEY (PEM files), or ZORVIK_PLAIN_HTTP=1 "
                      u"behind a local reverse proxy"_s};
    }

    c.requestsPerMinute = number(env, u"ZORVIK_RATE_PER_MINUTE"_s, 20, 0.001, 1e9);
    c.burst = number(env, u"ZORVIK_RATE_BURST"_s, 10, 1, 1e9);
    c.workers = static_cast<int>(number(env, u"ZORVIK_WORKERS"_s, 32, 1, 1024));
    return c;
}

} // namespace

std::variant<ServiceConfig, QString> loadConfig(const QProcessEnvironment& env)
{
    try {
        return read(env);
    } catch (const Invalid& invalid) {
        return invalid.message;
    }
}

bool isLoopbackAddress(const std::string& address)
{
    in_addr v4{};
    if (inet_pton(AF_INET, address.c_str(), &v4) == 1) {
        return (ntohl(v4.s_addr) >> 24) == 127;
    }
    in6_addr v6{};
    return inet_pton(AF_INET6, address.c_str(), &v6) == 1 && IN6_IS_ADDR_LOOPBACK(&v6);
}
