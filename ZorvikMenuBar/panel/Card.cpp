// SPDX-License-Identifier: MIT
#include "panel/Card.h"

#include "panel/SystemColors.h"
#include "panel/TextBlock.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

class TextCard final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override { paintCardBackground(*this, 0.06); }
};

QColor primary(const QPalette& palette)
{
    return SystemColors::primaryText(palette);
}

} // namespace

QFont panelFont(int pixelSize, QFont::Weight weight)
{
    QFont font = QApplication::font();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

void paintCardBackground(QWidget& widget, qreal opacity)
{
    QPainter painter(&widget);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(SystemColors::primaryText(widget.palette(), opacity));
    painter.drawRoundedRect(QRectF(widget.rect()), 8, 8);
}

QWidget* card(const QString& icon, const QString& title, const QString& text, QWidget* parent)
{
    auto* box = new TextCard(parent);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(10, 10, 10, 10);
    column->setSpacing(4);

    auto* heading = new QLabel(icon + u' ' + title, box);
    heading->setTextFormat(Qt::PlainText);
    heading->setFont(panelFont(11, QFont::Bold));
    column->addWidget(heading);

    column->addWidget(new TextBlock(text, panelFont(13), 5, primary, box));
    return box;
}
