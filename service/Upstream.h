// SPDX-License-Identifier: MIT
#pragma once

#include "ServiceConfig.h"

#include <QJsonArray>
#include <QString>

#include <chrono>

struct Completion {
    enum class Status { Ok, Unreachable, Failed, TimedOut };
    Status status;
    QString text; // the model's answer when Ok
};

// One non-streaming chat-completions exchange with the model server, ended by `timeout`.
Completion complete(const UpstreamSettings& upstream, const QJsonArray& messages,
                    std::chrono::milliseconds timeout);
