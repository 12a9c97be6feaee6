// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QSslCertificate>
#include <QUrl>

// The analysis service this build talks to, fixed when it is configured.
QUrl serviceEndpoint();
// Trusted besides the system store; empty unless the build names a CA file.
QList<QSslCertificate> serviceExtraCaCertificates();
