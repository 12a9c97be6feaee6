// SPDX-License-Identifier: MIT
#include "ResultJson.h"

#include <QJsonArray>

using namespace Qt::Literals::StringLiterals;

namespace {

void insertIfPresent(QJsonObject& object, const QString& key, const std::optional<QString>& value)
{
    if (value)
        object.insert(key, *value);
}

} // namespace

QJsonObject resultToJson(const AnalysisResult& result)
{
    QJsonObject object;
    insertIfPresent(object, u"subtext"_s, result.subtext);
    insertIfPresent(object, u"profileType"_s, result.profileType);
    insertIfPresent(object, u"profileLogic"_s, result.profileLogic);
    insertIfPresent(object, u"miji"_s, result.miji);
    QJsonArray replies;
    for (const ReplyItem& reply : result.replies) {
        replies.append(QJsonObject{
            {u"letter"_s, reply.letter},
            {u"kind"_s, reply.kind},
            {u"text"_s, reply.text},
            {u"tactic"_s, reply.tactic},
            {u"id"_s, reply.id().toString(QUuid::WithoutBraces)},
        });
    }
    object.insert(u"replies"_s, replies);
    return object;
}
