// SPDX-License-Identifier: MIT
#include "EmojiIcon.h"

#include <QColor>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestEmojiIcon final : public QObject {
    Q_OBJECT
private slots:
    void rendersColourFillingTheSquare_data();
    void rendersColourFillingTheSquare();
    void iconOffersHighDpiSizes();
};

void TestEmojiIcon::rendersColourFillingTheSquare_data()
{
    QTest::addColumn<int>("size");
    QTest::addRow("small tray") << 16;
    QTest::addRow("common tray") << 22;
    QTest::addRow("tray at 2x") << 44;
    QTest::addRow("larger than the font's bitmaps") << 256;
}

void TestEmojiIcon::rendersColourFillingTheSquare()
{
    QFETCH(int, size);
    const QImage image = renderEmoji(u"🏀"_s, size);
    QCOMPARE(image.size(), QSize(size, size));

    int opaque = 0;
    int orange = 0;
    QRect ink;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() < 128) {
                continue;
            }
            ++opaque;
            ink |= QRect(x, y, 1, 1);
            const int hue = c.hsvHue();
            if (c.hsvSaturation() > 100 && hue >= 10 && hue <= 45) {
                ++orange;
            }
        }
    }
    // A ball fills about π/4 of its square; a monochrome fallback glyph has no orange at all.
    QVERIFY2(opaque > size * size / 2, qPrintable(u"opaque pixels: %1"_s.arg(opaque)));
    QVERIFY2(orange > opaque / 3, qPrintable(u"orange pixels: %1 of %2"_s.arg(orange).arg(opaque)));
    QVERIFY2(ink.width() >= size * 8 / 10 && ink.height() >= size * 8 / 10,
             qPrintable(u"ink covers only %1x%2"_s.arg(ink.width()).arg(ink.height())));
}

void TestEmojiIcon::iconOffersHighDpiSizes()
{
    const QIcon icon = emojiIcon(u"🏀"_s);
    const QList<QSize> sizes = icon.availableSizes();
    QVERIFY(sizes.contains(QSize(22, 22)));
    QVERIFY(sizes.contains(QSize(44, 44)));
    QVERIFY(sizes.contains(QSize(128, 128)));
}

QTEST_MAIN(TestEmojiIcon)
#include "tst_emojiicon.moc"
