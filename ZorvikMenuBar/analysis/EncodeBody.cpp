// SPDX-License-Identifier: MIT
#include "analysis/EncodeBody.h"

#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

QByteArray encodeBody(const QString& myRole, const QString& otherRole, const QString& message,
                      const QString& industry)
{
    const QJsonObject body{
        {u"myRole"_s, myRole},
        {u"otherRole"_s, otherRole},
        {u"message"_s, message},
        {u"industry"_s, industry},
    };
    return QJsonDocument(body).toJson(QJsonDocument::Compact);
}
