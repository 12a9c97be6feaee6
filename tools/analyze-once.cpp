// SPDX-License-Identifier: MIT
// Development tool: runs one analysis against the given service, exactly as the panel does
// but without widgets, and prints the panel state it ends in as JSON.
#include "ResultJson.h"
#include "analysis/AnalysisClient.h"
#include "analysis/Analyze.h"
#include "analysis/QtTranslations.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QSslCertificate>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray jsonString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

// Members in a fixed order, which QJsonObject would sort away.
QByteArray stateToJson(const PanelState& state)
{
    QByteArray out = "{\n    \"loading\": "_ba + (state.loading ? "true" : "false");
    if (state.errorMsg)
        out += ",\n    \"errorMsg\": " + jsonString(*state.errorMsg);
    if (state.result) {
        const QByteArray result =
            QJsonDocument(resultToJson(*state.result)).toJson(QJsonDocument::Indented).trimmed();
        out += ",\n    \"result\": " + QByteArray(result).replace('\n', "\n    ");
    }
    return out + "\n}\n";
}

void print(const PanelState& state)
{
    const QByteArray json = stateToJson(state);
    std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
    std::fflush(stdout);
}

[[noreturn]] void fail(const QString& message)
{
    std::fprintf(stderr, "analyze-once: %s\n", qUtf8Printable(message));
    std::exit(2);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    installQtTranslations(app);

    const PanelState initial;
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Runs one analysis and prints the resulting panel state."_s);
    parser.addHelpOption();
    const QCommandLineOption origin(u"origin"_s, u"Service origin, https://HOST:PORT."_s, u"url"_s);
    const QCommandLineOption ca(
        u"ca"_s, u"PEM file of CA certificates trusted besides the system's."_s, u"file"_s);
    const QCommandLineOption timeout(u"timeout-ms"_s, u"Request timeout in milliseconds."_s, u"n"_s,
                                     u"90000"_s);
    const QCommandLineOption myRole(u"my-role"_s, u"Own role."_s, u"s"_s, initial.myRole);
    const QCommandLineOption otherRole(u"other-role"_s, u"The other party's role."_s, u"s"_s,
                                       initial.otherRole);
    const QCommandLineOption industry(u"industry"_s, u"state, tech or other."_s, u"s"_s,
                                      initial.industry);
    const QCommandLineOption otherMsg(u"other-msg"_s, u"The message received."_s, u"s"_s);
    const QCommandLineOption note(u"note"_s, u"What the user means to say."_s, u"s"_s);
    parser.addOptions({origin, ca, timeout, myRole, otherRole, industry, otherMsg, note});
    parser.process(app);

    const QUrl originUrl(parser.value(origin), QUrl::StrictMode);
    if (originUrl.scheme() != u"https"_s || originUrl.host().isEmpty() ||
        originUrl.path().size() > 1)
        fail(u"--origin must be https://HOST[:PORT]"_s);
    if (!parser.isSet(ca))
        fail(u"--ca FILE is required"_s);
    const QList<QSslCertificate> cas = QSslCertificate::fromPath(parser.value(ca));
    if (cas.isEmpty())
        fail(u"no PEM certificate in %1"_s.arg(parser.value(ca)));
    bool timeoutOk = false;
    const int timeoutMs = parser.value(timeout).toInt(&timeoutOk);
    if (!timeoutOk || timeoutMs <= 0)
        fail(u"--timeout-ms takes a positive number"_s);

    QUrl endpoint = originUrl;
    endpoint.setPath(u"/api/generate"_s);

    PanelState state;
    state.myRole = parser.value(myRole);
    state.otherRole = parser.value(otherRole);
    state.industry = parser.value(industry);
    state.otherMsg = parser.value(otherMsg);
    state.myNote = parser.value(note);

    QNetworkAccessManager nam;
    AnalysisClient client(nam, endpoint, cas, std::chrono::milliseconds(timeoutMs));
    analyze(state, client, &app, [&state] {
        if (!state.loading) {
            print(state);
            QCoreApplication::quit();
        }
    });
    // Nothing was sent: there is no outcome to wait for.
    if (!state.loading) {
        print(state);
        return 0;
    }
    app.exec();
    return 0;
}
