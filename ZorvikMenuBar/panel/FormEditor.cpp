// SPDX-License-Identifier: MIT
#include "panel/FormEditor.h"

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int padding = 3;
constexpr int border = 1;

} // namespace

FormEditor::FormEditor(int textHeight, QWidget* parent)
    : QPlainTextEdit(parent)
{
    setFixedHeight(textHeight + 2 * padding);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // The box's own inset already is the padding; the document adds none on top.
    document()->setDocumentMargin(0);
    setBorderColour(Qt::transparent);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (m_showing) {
            return;
        }
        // toPlainText() folds line and paragraph separators; what the user sees is what counts.
        m_shown = toPlainText();
        emit edited(m_shown);
    });
}

void FormEditor::showText(const QString& text)
{
    if (text == m_shown) {
        return;
    }
    m_shown = text;
    m_showing = true;
    setPlainText(text);
    m_showing = false;
}

void FormEditor::setBorderColour(const QColor& colour)
{
    // The border sits inside the padded bounds, so it takes one pixel of the padding.
    setStyleSheet(u"QPlainTextEdit { border: %1px solid rgba(%2, %3, %4, %5); border-radius: 4px;"
                  " padding: %6px; background: palette(base); }"_s.arg(border)
                      .arg(colour.red())
                      .arg(colour.green())
                      .arg(colour.blue())
                      .arg(colour.alpha())
                      .arg(padding - border));
}
