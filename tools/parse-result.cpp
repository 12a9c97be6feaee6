// SPDX-License-Identifier: MIT
// Development tool: parses one result text from standard input and prints it as JSON.
#include "ResultJson.h"
#include "analysis/ParseResult.h"

#include <QFile>
#include <QJsonDocument>

#include <cstdio>

int main()
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return 1;
    const QString text = QString::fromUtf8(in.readAll());
    const QByteArray json =
        QJsonDocument(resultToJson(parseResult(text))).toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
    return 0;
}
