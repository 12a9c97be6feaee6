// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>

class QNetworkReply;

// The user-facing description of why no HTTP answer arrived, or none when one did, whatever
// its status: Qt reports 4xx and 5xx as errors too, but for those the body decides.
std::optional<QString> transportError(const QNetworkReply& reply);
