// SPDX-License-Identifier: MIT
#include "analysis/AnalysisClient.h"

#include "analysis/SslTrust.h"
#include "analysis/TransportError.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSslCertificate>

namespace {

// No real answer comes within a thousandth of this; reading without a bound would let a
// broken or hostile service exhaust memory.
constexpr qint64 maxBodyBytes = 4 * 1024 * 1024;

// Lives as the reply's child and collects its body.
class PendingAnswer final : public QObject {
public:
    PendingAnswer(QNetworkReply* reply, QObject* context,
                  std::function<void(const AnalysisOutcome&)> onOutcome)
        : QObject(reply)
        , m_reply(reply)
        , m_context(context)
        , m_onOutcome(std::move(onOutcome))
    {
        connect(reply, &QNetworkReply::readyRead, this, &PendingAnswer::take);
        connect(reply, &QNetworkReply::finished, this, &PendingAnswer::finish);
    }

private:
    void take()
    {
        // Once Qt has timed the reply out it is closed and holds nothing more.
        if (m_tooLong || !m_reply->isOpen())
            return;
        m_body += m_reply->read(maxBodyBytes + 1 - m_body.size());
        if (m_body.size() > maxBodyBytes) {
            m_tooLong = true;
            m_body = QByteArray();
            m_reply->abort();
        }
    }

    void finish()
    {
        take();
        // An abandoned body counts as no body: the answer is malformed.
        const AnalysisOutcome outcome = m_tooLong
                                            ? interpretAnswer(std::nullopt, std::nullopt)
                                            : interpretAnswer(transportError(*m_reply), m_body);
        // Queued, so the outcome never runs inside post() or inside Qt's reply handling, and
        // is dropped with the context if that goes first.
        if (m_context) {
            QMetaObject::invokeMethod(
                m_context, [onOutcome = m_onOutcome, outcome] { onOutcome(outcome); },
                Qt::QueuedConnection);
        }
        m_reply->deleteLater();
    }

    QNetworkReply* m_reply;
    QPointer<QObject> m_context;
    std::function<void(const AnalysisOutcome&)> m_onOutcome;
    QByteArray m_body;
    bool m_tooLong = false;
};

} // namespace

AnalysisClient::AnalysisClient(QNetworkAccessManager& nam, QUrl endpoint,
                               QList<QSslCertificate> extraCaCertificates,
                               std::chrono::milliseconds timeout)
    : m_nam(nam)
    , m_endpoint(std::move(endpoint))
    , m_ssl(sslConfigurationTrusting(extraCaCertificates))
    , m_timeout(timeout)
{}

void AnalysisClient::post(const QByteArray& body, QObject* context,
                          std::function<void(const AnalysisOutcome&)> onOutcome)
{
    QNetworkRequest request(m_endpoint);
    request.setRawHeader("Content-Type", "application/json");
    request.setTransferTimeout(static_cast<int>(m_timeout.count()));
    request.setSslConfiguration(m_ssl);
    QNetworkReply* reply = m_nam.post(request, body);
    // Keeps Qt from buffering past the cap while the main thread is busy elsewhere.
    reply->setReadBufferSize(maxBodyBytes + 1);
    new PendingAnswer(reply, context, std::move(onOutcome));
}
