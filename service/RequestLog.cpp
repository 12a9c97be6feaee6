// SPDX-License-Identifier: MIT
#include "RequestLog.h"

#include <QDateTime>

using namespace Qt::Literals::StringLiterals;

std::string requestLogLine(std::chrono::system_clock::time_point at, int status,
                           std::chrono::microseconds duration, std::size_t requestBytes,
                           std::size_t responseBytes)
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(at.time_since_epoch());
    const QString time =
        QDateTime::fromMSecsSinceEpoch(ms.count(), Qt::UTC).toString(Qt::ISODateWithMs);
    return u"%1 status=%2 duration_ms=%3 request_bytes=%4 response_bytes=%5"_s.arg(time)
        .arg(status)
        .arg(static_cast<double>(duration.count()) / 1000.0, 0, 'f', 1)
        .arg(requestBytes)
        .arg(responseBytes)
        .toStdString();
}
