// SPDX-License-Identifier: MIT
#include "analysis/SslTrust.h"

QSslConfiguration sslConfigurationTrusting(const QList<QSslCertificate>& extraCaCertificates)
{
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    if (extraCaCertificates.isEmpty())
        return configuration;
    // Setting or adding any CA list switches off Qt's on-demand loading of the system store,
    // which is where the system roots live on Linux: so the system list is copied in first.
    configuration.setCaCertificates(configuration.caCertificates() +
                                    QSslConfiguration::systemCaCertificates() +
                                    extraCaCertificates);
    return configuration;
}
