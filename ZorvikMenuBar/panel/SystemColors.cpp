// SPDX-License-Identifier: MIT
#include "panel/SystemColors.h"

namespace SystemColors {

namespace {

QColor pick(const QPalette& palette, QRgb light, QRgb dark)
{
    return QColor::fromRgb(isDark(palette) ? dark : light);
}

} // namespace

bool isDark(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightnessF() < 0.5;
}

QColor orange(const QPalette& palette)
{
    return pick(palette, qRgb(0xFF, 0x95, 0x00), qRgb(0xFF, 0x9F, 0x0A));
}

QColor red(const QPalette& palette)
{
    return pick(palette, qRgb(0xFF, 0x3B, 0x30), qRgb(0xFF, 0x45, 0x3A));
}

QColor blue(const QPalette& palette)
{
    return pick(palette, qRgb(0x00, 0x7A, 0xFF), qRgb(0x0A, 0x84, 0xFF));
}

QColor green(const QPalette& palette)
{
    return pick(palette, qRgb(0x28, 0xCD, 0x41), qRgb(0x32, 0xD7, 0x4B));
}

QColor gray(const QPalette& palette)
{
    return pick(palette, qRgb(0x8E, 0x8E, 0x93), qRgb(0x98, 0x98, 0x9D));
}

QColor primaryText(const QPalette& palette, qreal opacity)
{
    QColor c = palette.color(QPalette::WindowText);
    c.setAlphaF(static_cast<float>(c.alphaF() * opacity));
    return c;
}

QColor secondaryText(const QPalette& palette)
{
    // The desktop's secondary label is its primary label at about half strength.
    return primaryText(palette, isDark(palette) ? 0.55 : 0.5);
}

} // namespace SystemColors
