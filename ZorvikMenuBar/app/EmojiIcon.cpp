// SPDX-License-Identifier: MIT
#include "EmojiIcon.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// Colour emoji fonts carry bitmaps of about this height; drawing at least there and scaling
// down once keeps small icons sharp instead of letting the font scaler guess.
constexpr int minimumMasterSize = 128;

QFont emojiFont(int pixelSize)
{
    QFont font;
    font.setFamilies({u"Noto Color Emoji"_s, u"Apple Color Emoji"_s, u"Segoe UI Emoji"_s});
    font.setPixelSize(pixelSize);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QImage renderMaster(const QString& emoji, int masterSize)
{
    const QFont font = emojiFont(masterSize);
    const QRectF ink = QFontMetricsF(font).tightBoundingRect(emoji);
    QImage image(masterSize, masterSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    painter.setFont(font);
    // Fit the glyph's ink, not its line box, so the ball fills the square.
    const qreal scale = ink.isEmpty() ? 1.0 : masterSize / std::max(ink.width(), ink.height());
    painter.translate(masterSize / 2.0, masterSize / 2.0);
    painter.scale(scale, scale);
    painter.drawText(-ink.center(), emoji);
    return image;
}

} // namespace

QImage renderEmoji(const QString& emoji, int pixelSize)
{
    const QImage master = renderMaster(emoji, std::max(pixelSize, minimumMasterSize));
    if (master.width() == pixelSize) {
        return master;
    }
    return master.scaled(pixelSize, pixelSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QIcon emojiIcon(const QString& emoji)
{
    // One master for every size: the drawing, not the scaling, is what costs at start-up.
    const QImage master = renderMaster(emoji, minimumMasterSize);
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 44, 48, 64, 128}) {
        icon.addPixmap(QPixmap::fromImage(
            master.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    return icon;
}
