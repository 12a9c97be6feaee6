// SPDX-License-Identifier: MIT
#include "panel/TextBlock.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QWheelEvent>

#include <cmath>

namespace {

void formatDocument(QTextDocument& document, const QFont& font, int extraLineSpacing)
{
    document.setDocumentMargin(0);
    document.setDefaultFont(font);
    QTextCursor cursor(&document);
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setLineHeight(extraLineSpacing, QTextBlockFormat::LineDistanceHeight);
    cursor.mergeBlockFormat(format);
}

} // namespace

TextBlock::TextBlock(const QString& text, const QFont& font, int extraLineSpacing, Colour colour,
                     QWidget* parent)
    : QTextEdit(parent)
    , m_colour(colour)
{
    setFrameShape(QFrame::NoFrame);
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // An unbroken run (a link, a long number) must wrap too, or the column would widen.
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    viewport()->setAutoFillBackground(false);
    setFont(font);
    setPlainText(text);
    formatDocument(*document(), font, extraLineSpacing);
    m_measure = document()->clone(this);
    setSelectable(false);
    applyColour();
}

void TextBlock::setSelectable(bool selectable)
{
    setTextInteractionFlags(selectable ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                       : Qt::NoTextInteraction);
    setFocusPolicy(selectable ? Qt::ClickFocus : Qt::NoFocus);
    setContextMenuPolicy(selectable ? Qt::DefaultContextMenu : Qt::NoContextMenu);
    viewport()->setCursor(selectable ? Qt::IBeamCursor : Qt::ArrowCursor);
}

int TextBlock::heightForWidth(int width) const
{
    m_measure->setTextWidth(width);
    return static_cast<int>(std::ceil(m_measure->size().height()));
}

QSize TextBlock::sizeHint() const
{
    return {width(), heightForWidth(width())};
}

QSize TextBlock::minimumSizeHint() const
{
    // The height comes from heightForWidth; the base class would ask room for scroll bars.
    return {0, 0};
}

void TextBlock::changeEvent(QEvent* event)
{
    QTextEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        applyColour();
    }
}

void TextBlock::resizeEvent(QResizeEvent* event)
{
    QTextEdit::resizeEvent(event);
    // The height is laid out for the width: a new width may need a new height.
    if (height() != heightForWidth(width())) {
        updateGeometry();
    }
}

void TextBlock::wheelEvent(QWheelEvent* event)
{
    // Nothing to scroll here, and a read-only text edit would zoom on Ctrl+wheel.
    event->ignore();
}

QMimeData* TextBlock::createMimeDataFromSelection() const
{
    auto* data = new QMimeData;
    data->setText(textCursor().selection().toPlainText());
    return data;
}

void TextBlock::applyColour()
{
    QPalette p = palette();
    p.setColor(QPalette::Text, m_colour(p));
    p.setColor(QPalette::Base, Qt::transparent);
    setPalette(p);
}
