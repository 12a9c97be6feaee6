// SPDX-License-Identifier: MIT
#include "analysis/ServiceConfig.h"

#include "ServiceBuildConstants.h"

#include <QByteArray>
#include <QString>

QUrl serviceEndpoint()
{
    return QUrl(QStringLiteral("https://%1/api/generate").arg(QLatin1StringView(serviceHost)));
}

QList<QSslCertificate> serviceExtraCaCertificates()
{
    return QSslCertificate::fromData(QByteArray(serviceExtraCaPem), QSsl::Pem);
}
