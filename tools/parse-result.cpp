// SPDX-License-Identifier: MIT
// Development tool: parses one result text from standard input and prints it as JSON.
#include "analysis/ParseResult.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

void insertIfPresent(QJsonObject& object, const QString& key, const std::optional<QString>& value)
{
    if (value)
        object.insert(key, *value);
}

QJsonObject toJson(const AnalysisResult& result)
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

} // namespace

int main()
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return 1;
    const QString text = QString::fromUtf8(in.readAll());
    const QByteArray json =
        QJsonDocument(toJson(parseResult(text))).toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
    return 0;
}
