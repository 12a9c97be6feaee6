// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QSslCertificate>
#include <QSslConfiguration>

// The default configuration, trusting extraCaCertificates besides the system's store, never
// instead of it.
QSslConfiguration sslConfigurationTrusting(const QList<QSslCertificate>& extraCaCertificates);
