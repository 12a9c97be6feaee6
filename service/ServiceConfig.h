// SPDX-License-Identifier: MIT
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QUrl>

#include <chrono>
#include <string>
#include <variant>

struct UpstreamSettings {
    QUrl baseUrl; // the chat-completions path is appended to it
    QString model;
    QString apiKey; // empty: no Authorization header
    // One analysis, its retry included, must end well before the app gives up after 90 s.
    std::chrono::milliseconds budget{60000};
};

struct ServiceConfig {
    UpstreamSettings upstream;
    std::string listenAddress;
    int port = 0;
    std::string tlsCert;
    std::string tlsKey;
    bool plainHttp = false; // loopback only, for a reverse proxy in front
    double requestsPerMinute = 0;
    double burst = 0;
    int workers = 0;
};

// Reads the ZORVIK_* variables; the error text names the variable at fault.
std::variant<ServiceConfig, QString> loadConfig(const QProcessEnvironment& env);

bool isLoopbackAddress(const std::string& address);
