// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

// The request body: a compact UTF-8 JSON object of exactly these four strings, sent as given.
QByteArray encodeBody(const QString& myRole, const QString& otherRole, const QString& message,
                      const QString& industry);
