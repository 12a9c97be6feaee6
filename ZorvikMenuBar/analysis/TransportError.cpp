// SPDX-License-Identifier: MIT
#include "analysis/TransportError.h"

#include <QCoreApplication>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

// The errors Qt derives from a status of 400 or more once the whole answer has arrived.
bool isStatusError(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::ProtocolInvalidOperationError:
    case QNetworkReply::AuthenticationRequiredError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
    case QNetworkReply::ContentAccessDenied:
    case QNetworkReply::ContentOperationNotPermittedError:
    case QNetworkReply::ContentNotFoundError:
    case QNetworkReply::ContentConflictError:
    case QNetworkReply::ContentGoneError:
    case QNetworkReply::UnknownContentError:
    case QNetworkReply::InternalServerError:
    case QNetworkReply::OperationNotImplementedError:
    case QNetworkReply::ServiceUnavailableError:
    case QNetworkReply::UnknownServerError:
        return true;
    default:
        return false;
    }
}

bool answeredWithStatus(const QNetworkReply& reply)
{
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    return status.isValid() && status.toInt() >= 400 && isStatusError(reply.error());
}

} // namespace

std::optional<QString> transportError(const QNetworkReply& reply)
{
    if (reply.error() == QNetworkReply::NoError || answeredWithStatus(reply))
        return std::nullopt;
    // The client never aborts a reply whose answer it still wants, so a cancel here is Qt's
    // transfer timeout, which Qt 6.4 words as "Operation canceled": a user who cancelled
    // nothing would be misled. Show the text Qt uses for its own TimeoutError instead.
    if (reply.error() == QNetworkReply::OperationCanceledError)
        return QCoreApplication::translate("QAbstractSocket", "Socket operation timed out");
    return reply.errorString();
}
