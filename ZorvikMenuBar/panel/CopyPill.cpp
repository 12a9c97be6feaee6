// SPDX-License-Identifier: MIT
#include "panel/CopyPill.h"

#include "panel/Card.h"
#include "panel/SystemColors.h"

#include <QPainter>

using namespace Qt::Literals::StringLiterals;

CopyPill::CopyPill(QWidget* parent)
    : QAbstractButton(parent)
{
    setFont(panelFont(10, QFont::Medium));
    setCursor(Qt::PointingHandCursor);
    // A click must not leave a focus ring on the pill; Tab still reaches it.
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    showCopied(false);
}

void CopyPill::showCopied(bool copied)
{
    m_copied = copied;
    setText(copied ? u"✓ 已复制"_s : u"复制"_s);
    updateGeometry();
    update();
}

QSize CopyPill::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()) + 2 * 8, metrics.height() + 2 * 3};
}

void CopyPill::paintEvent(QPaintEvent*)
{
    const QPalette& p = palette();
    QColor paleGreen = SystemColors::green(p);
    paleGreen.setAlphaF(0.2f);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_copied ? paleGreen : SystemColors::orange(p));
    painter.drawRoundedRect(QRectF(rect()), 4, 4);
    if (hasFocus()) {
        painter.setPen(QPen(p.color(QPalette::Highlight), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    }
    painter.setPen(m_copied ? SystemColors::green(p) : QColor(Qt::white));
    painter.drawText(rect(), Qt::AlignCenter, text());
}
