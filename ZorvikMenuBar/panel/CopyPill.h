// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>

// A pill of text with no bezel: orange with white text, or pale green with green text while
// it confirms a copy.
class CopyPill final : public QAbstractButton {
    Q_OBJECT

public:
    explicit CopyPill(QWidget* parent = nullptr);

    bool showsCopied() const { return m_copied; }
    void showCopied(bool copied);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_copied = false;
};
