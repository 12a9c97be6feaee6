// SPDX-License-Identifier: MIT
#include "RequestValidation.h"

#include "analysis/CharacterSets.h"
#include "analysis/Graphemes.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

std::variant<AnalysisRequest, Rejection> validateRequest(std::string_view body)
{
    const QJsonDocument doc = QJsonDocument::fromJson(
        QByteArray::fromRawData(body.data(), static_cast<qsizetype>(body.size())));
    const QJsonObject o = doc.object();
    const auto isString = [&o](const QString& key) {
        return o.value(key).isString();
    };
    if (!doc.isObject() || !isString(u"myRole"_s) || !isString(u"otherRole"_s) ||
        !isString(u"message"_s) || !isString(u"industry"_s)) {
        return Rejection{400, u"请求格式错误：需要一个含 myRole、otherRole、message 和 industry "
                              u"四个字符串的 JSON 对象"_s};
    }
    AnalysisRequest r{o.value(u"myRole"_s).toString(), o.value(u"otherRole"_s).toString(),
                      o.value(u"message"_s).toString(), o.value(u"industry"_s).toString()};
    if (CharacterSets::isBlank(r.message)) {
        return Rejection{400, u"消息是空的：请先粘贴收到的消息或写下你的想法"_s};
    }
    if (Graphemes::prefixLength(r.message, maxMessageCharacters) < r.message.size()) {
        return Rejection{413, u"消息太长：最多 20000 个字"_s};
    }
    return r;
}
