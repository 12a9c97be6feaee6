// SPDX-License-Identifier: MIT
#include "PopoverWindow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QKeySequence>
#include <QShortcut>
#include <QVBoxLayout>

PopoverWindow::PopoverWindow(QWidget* content, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setFixedSize(contentSize);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &PopoverWindow::dismiss);
}

void PopoverWindow::showAt(QPoint topLeft)
{
    m_topLeft = topLeft;
    move(topLeft);
    show();
    raise();
    activateWindow();
}

bool PopoverWindow::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
        // Under a reparenting window manager Qt first takes the mapped window to sit at (0,0),
        // and the input method then draws its candidate box that far off; moving again once
        // mapped and re-announcing the input state puts the box under the cursor.
        move(m_topLeft);
        QGuiApplication::inputMethod()->update(Qt::ImQueryAll);
        break;
    case QEvent::WindowDeactivate:
        // hide() itself deactivates the window while it is still visible; that is no dismissal.
        if (!isHidden()) {
            dismiss();
        }
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void PopoverWindow::dismiss()
{
    hide();
    emit dismissed();
}
