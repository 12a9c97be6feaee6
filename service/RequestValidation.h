// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <string_view>
#include <variant>

// The app's body: four strings, passed on as sent.
struct AnalysisRequest {
    QString myRole;
    QString otherRole;
    QString message;
    QString industry;
};

struct Rejection {
    int status;
    QString error;
};

inline constexpr qsizetype maxMessageCharacters = 20000;

std::variant<AnalysisRequest, Rejection> validateRequest(std::string_view body);
