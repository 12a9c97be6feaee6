// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QPalette>

// The desktop's named colours in their light and dark variants, picked by how light the
// palette's window is, so the panel keeps its look under a dark theme.
namespace SystemColors {

bool isDark(const QPalette& palette);

QColor orange(const QPalette& palette);
QColor red(const QPalette& palette);
QColor blue(const QPalette& palette);
QColor green(const QPalette& palette);
QColor gray(const QPalette& palette);

// Primary text at the given opacity, for tints that must follow the theme.
QColor primaryText(const QPalette& palette, qreal opacity = 1.0);
QColor secondaryText(const QPalette& palette);

} // namespace SystemColors
