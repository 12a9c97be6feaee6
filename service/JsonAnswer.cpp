// SPDX-License-Identifier: MIT
#include "JsonAnswer.h"

#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace {

std::string object(const QString& key, const QString& value)
{
    return QJsonDocument(QJsonObject{{key, value}}).toJson(QJsonDocument::Compact).toStdString();
}

} // namespace

std::string resultJson(const QString& result)
{
    return object(u"result"_s, result);
}

std::string errorJson(const QString& error)
{
    return object(u"error"_s, error);
}
