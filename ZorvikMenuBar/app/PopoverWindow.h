// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>
#include <QSize>
#include <QWidget>

// The transient window that hosts the panel under the tray icon. A frameless tool window
// rather than a Qt::Popup: a popup's pointer grab would swallow clicks on the input method's
// candidate box, so the transient behaviour is built on activation instead.
class PopoverWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize contentSize{420, 620};

    // Takes ownership of content; it lives as long as the window, hidden or shown.
    explicit PopoverWindow(QWidget* content, QWidget* parent = nullptr);

    void showAt(QPoint topLeft);

signals:
    // Hid itself: lost activation (a click outside, another window) or Escape.
    void dismissed();

protected:
    bool event(QEvent* event) override;

private:
    void dismiss();

    QPoint m_topLeft;
};
