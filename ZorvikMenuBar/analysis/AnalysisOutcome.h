// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// What one exchange with the service came to. text is the line to show for the three failure
// kinds, the result text for Analysis, and empty for EmptyAnswer.
struct AnalysisOutcome {
    enum class Kind { TransportFailure, MalformedAnswer, ServiceError, Analysis, EmptyAnswer };
    Kind kind;
    QString text;
};

// transportError is the HTTP client's description when no answer arrived; body is what did.
// Only the body is judged, never a status code.
AnalysisOutcome interpretAnswer(const std::optional<QString>& transportError,
                                const std::optional<QByteArray>& body);
