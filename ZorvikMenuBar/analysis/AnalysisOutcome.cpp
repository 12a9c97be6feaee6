// SPDX-License-Identifier: MIT
#include "analysis/AnalysisOutcome.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

using namespace Qt::Literals::StringLiterals;

AnalysisOutcome interpretAnswer(const std::optional<QString>& transportError,
                                const std::optional<QByteArray>& body)
{
    using Kind = AnalysisOutcome::Kind;
    if (transportError)
        return {Kind::TransportFailure, *transportError};

    const AnalysisOutcome malformed{Kind::MalformedAnswer, u"响应格式错误"_s};
    if (!body || body->isEmpty())
        return malformed;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(*body, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return malformed;

    // A member of any other type counts as missing, so a numeric "error" does not hide a result.
    const QJsonObject answer = document.object();
    if (const QJsonValue error = answer.value(u"error"_s); error.isString())
        return {Kind::ServiceError, error.toString()};
    if (const QJsonValue result = answer.value(u"result"_s); result.isString())
        return {Kind::Analysis, result.toString()};
    return {Kind::EmptyAnswer, {}};
}
