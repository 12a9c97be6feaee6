// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QString>

class QWidget;

// One text section of a result: the title line "icon title" above the body, on a rounded
// tint. The body is shown exactly as given and is not selectable.
QWidget* card(const QString& icon, const QString& title, const QString& text, QWidget* parent);

// The panel's system font at a pixel size, so sizes do not scale with the screen's DPI.
QFont panelFont(int pixelSize, QFont::Weight weight = QFont::Normal);

// The rounded tint behind every card, in the text colour so it follows the theme.
void paintCardBackground(QWidget& widget, qreal opacity);
