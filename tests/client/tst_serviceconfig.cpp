// SPDX-License-Identifier: MIT
// The build's service constants as the app sees them, checked against the configured values.
#include "analysis/ServiceConfig.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestServiceConfig final : public QObject {
    Q_OBJECT

private slots:
    void endpoint()
    {
        const QUrl expected(u"https://"_s + QStringLiteral(EXPECTED_HOST) + u"/api/generate"_s);
        QCOMPARE(serviceEndpoint(), expected);
        QVERIFY(serviceEndpoint().isValid());
    }

    void extraCaCertificates()
    {
        const QString file = QStringLiteral(EXPECTED_CA_FILE);
        const QList<QSslCertificate> expected =
            file.isEmpty() ? QList<QSslCertificate>() : QSslCertificate::fromPath(file);
        QCOMPARE(serviceExtraCaCertificates(), expected);
    }
};

QTEST_APPLESS_MAIN(TestServiceConfig)
#include "tst_serviceconfig.moc"
