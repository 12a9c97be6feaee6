// SPDX-License-Identifier: MIT
#pragma once

#include "analysis/AnalysisOutcome.h"

#include <QByteArray>
#include <QList>
#include <QSslConfiguration>
#include <QUrl>

#include <chrono>
#include <functional>

class QNetworkAccessManager;
class QObject;
class QSslCertificate;

// Posts one analysis request and hands back what came of it. Endpoint, trust and timeout are
// injected so tests and tools can talk to a loopback service with verification still on.
class AnalysisClient final {
public:
    AnalysisClient(QNetworkAccessManager& nam, QUrl endpoint,
                   QList<QSslCertificate> extraCaCertificates, std::chrono::milliseconds timeout);

    // onOutcome runs once, later, in context's thread, and never once context is gone.
    void post(const QByteArray& body, QObject* context,
              std::function<void(const AnalysisOutcome&)> onOutcome);

private:
    QNetworkAccessManager& m_nam;
    QUrl m_endpoint;
    QSslConfiguration m_ssl;
    std::chrono::milliseconds m_timeout;
};
