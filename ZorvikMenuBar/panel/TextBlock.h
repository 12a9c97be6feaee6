// SPDX-License-Identifier: MIT
#pragma once

#include <QTextEdit>

class QTextDocument;

// Plain text that wraps to its width, grows to its full height and never scrolls itself.
// A label cannot add space between lines, so this is a frameless, read-only text edit whose
// height follows its content; the enclosing scroll area does all the scrolling.
class TextBlock final : public QTextEdit {
    Q_OBJECT

public:
    using Colour = QColor (*)(const QPalette&);

    TextBlock(const QString& text, const QFont& font, int extraLineSpacing, Colour colour,
              QWidget* parent = nullptr);

    void setSelectable(bool selectable);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    void applyColour();

    Colour m_colour;
    // A copy laid out at any asked-for width, so measuring never disturbs what is shown.
    QTextDocument* m_measure = nullptr;
};
