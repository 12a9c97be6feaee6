// SPDX-License-Identifier: MIT
#pragma once

#include "ServiceConfig.h"

#include <string>
#include <string_view>

struct Answer {
    int status;
    std::string body; // JSON with "result" or "error"
};

// One analysis: validates the app's body, asks the model, checks its text with the app's own
// parser and asks once more with a correction when the text is unusable.
Answer generate(std::string_view body, const UpstreamSettings& upstream);
