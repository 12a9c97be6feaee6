// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

// The emoji drawn from the system's colour emoji font, centred in a transparent square.
QImage renderEmoji(const QString& emoji, int pixelSize);

// The emoji at the sizes trays and high-DPI screens ask for, so none is scaled up from a small one.
QIcon emojiIcon(const QString& emoji);
