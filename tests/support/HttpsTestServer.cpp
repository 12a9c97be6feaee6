// SPDX-License-Identifier: MIT
#include "HttpsTestServer.h"

#include <QFile>
#include <QProcess>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTemporaryDir>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Certificates {
    QTemporaryDir dir;
    QList<QSslCertificate> ca;
    QSslCertificate server;
    QSslKey key;
};

bool runOpenssl(const QString& dir, const QStringList& arguments)
{
    QProcess openssl;
    openssl.setWorkingDirectory(dir);
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(u"openssl"_s, arguments);
    const bool ok = openssl.waitForFinished(60000) &&
                    openssl.exitStatus() == QProcess::NormalExit && openssl.exitCode() == 0;
    if (!ok)
        qWarning("openssl failed: %s", openssl.readAll().constData());
    return ok;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Made fresh per process, so no key is committed and none outlives the run.
std::unique_ptr<Certificates> makeCertificates()
{
    auto certificates = std::make_unique<Certificates>();
    const QString dir = certificates->dir.path();
    const QStringList ecKey{u"-newkey"_s, u"ec"_s, u"-pkeyopt"_s, u"ec_paramgen_curve:prime256v1"_s,
                            u"-nodes"_s};
    QFile ext(dir + u"/server.ext"_s);
    if (!certificates->dir.isValid() || !ext.open(QIODevice::WriteOnly))
        return nullptr;
    ext.write("basicConstraints=critical,CA:FALSE\n"
              "extendedKeyUsage=serverAuth\n"
              "subjectAltName=IP:127.0.0.1,DNS:localhost\n");
    ext.close();
    const bool made =
        runOpenssl(dir, QStringList{u"req"_s, u"-x509"_s} + ecKey +
                            QStringList{u"-days"_s, u"2"_s, u"-keyout"_s, u"ca.key"_s, u"-out"_s,
                                        u"ca.pem"_s, u"-subj"_s, u"/CN=Loopback test CA"_s,
                                        u"-addext"_s, u"basicConstraints=critical,CA:TRUE"_s,
                                        u"-addext"_s, u"keyUsage=critical,keyCertSign"_s}) &&
        runOpenssl(dir, QStringList{u"req"_s} + ecKey +
                            QStringList{u"-keyout"_s, u"server.key"_s, u"-out"_s, u"server.csr"_s,
                                        u"-subj"_s, u"/CN=127.0.0.1"_s}) &&
        runOpenssl(dir, {u"x509"_s, u"-req"_s, u"-in"_s, u"server.csr"_s, u"-CA"_s, u"ca.pem"_s,
                         u"-CAkey"_s, u"ca.key"_s, u"-set_serial"_s, u"1"_s, u"-days"_s, u"2"_s,
                         u"-extfile"_s, u"server.ext"_s, u"-out"_s, u"server.pem"_s});
    if (!made)
        return nullptr;
    certificates->ca = QSslCertificate::fromData(readAll(dir + u"/ca.pem"_s));
    certificates->server = QSslCertificate(readAll(dir + u"/server.pem"_s));
    certificates->key = QSslKey(readAll(dir + u"/server.key"_s), QSsl::Ec);
    if (certificates->ca.isEmpty() || certificates->server.isNull() || certificates->key.isNull())
        return nullptr;
    return certificates;
}

const Certificates* certificates()
{
    static const std::unique_ptr<Certificates> made = makeCertificates();
    return made.get();
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 401:
        return "Unauthorized";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

// A whole request, or none while more bytes are due.
std::optional<HttpsTestServer::Request> parseRequest(const QByteArray& bytes)
{
    const qsizetype headerEnd = bytes.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return std::nullopt;
    const QList<QByteArray> lines = bytes.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
    HttpsTestServer::Request request;
    request.method = requestLine.value(0);
    request.path = requestLine.value(1);
    qsizetype contentLength = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        const QByteArray name = lines[i].left(colon).trimmed();
        const QByteArray value = lines[i].mid(colon + 1).trimmed();
        request.headers.append({name, value});
        if (name.compare("content-length", Qt::CaseInsensitive) == 0)
            contentLength = value.toLongLong();
    }
    if (bytes.size() - headerEnd - 4 < contentLength)
        return std::nullopt;
    request.body = bytes.mid(headerEnd + 4, contentLength);
    return request;
}

} // namespace

QList<QByteArray> HttpsTestServer::Request::header(const QByteArray& name) const
{
    QList<QByteArray> values;
    for (const auto& [key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            values.append(value);
    }
    return values;
}

HttpsTestServer::HttpsTestServer(QObject* parent)
    : QObject(parent)
{
    answer(200, "{}");
    connect(&m_server, &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection())
            serve(socket);
    });
}

bool HttpsTestServer::listen()
{
    const Certificates* made = certificates();
    if (!made)
        return false;
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificate(made->server);
    configuration.setPrivateKey(made->key);
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone); // no client certificates
    m_server.setSslConfiguration(configuration);
    return m_server.listen(QHostAddress::LocalHost);
}

QUrl HttpsTestServer::url(const QString& path) const
{
    return QUrl(u"https://127.0.0.1:%1%2"_s.arg(m_server.serverPort()).arg(path));
}

QList<QSslCertificate> HttpsTestServer::caCertificates()
{
    const Certificates* made = certificates();
    return made ? made->ca : QList<QSslCertificate>();
}

QString HttpsTestServer::caFile()
{
    const Certificates* made = certificates();
    return made ? made->dir.filePath(u"ca.pem"_s) : QString();
}

void HttpsTestServer::answer(int status, const QByteArray& body)
{
    m_response =
        "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) +
        "\r\nContent-Type: application/json\r\nContent-Length: " + QByteArray::number(body.size()) +
        "\r\nConnection: close\r\n\r\n" + body;
}

void HttpsTestServer::answerRaw(const QByteArray& bytes)
{
    m_response = bytes;
}

void HttpsTestServer::hang()
{
    m_response.reset();
}

void HttpsTestServer::serve(QTcpSocket* socket)
{
    auto received = std::make_shared<QByteArray>();
    connect(socket, &QTcpSocket::readyRead, socket, [this, socket, received] {
        *received += socket->readAll();
        const std::optional<Request> request = parseRequest(*received);
        if (!request)
            return;
        received->clear();
        m_requests.append(*request);
        emit requestReceived();
        respond(socket);
    });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

void HttpsTestServer::respond(QTcpSocket* socket)
{
    if (!m_response)
        return;
    socket->write(*m_response);
    socket->disconnectFromHost();
}

quint16 unusedLoopbackPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}
