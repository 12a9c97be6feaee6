// SPDX-License-Identifier: MIT
// The smallest tray program Qt allows: a plain icon and an empty popup of the panel's size.
// The tray benchmark measures the app against it.
#include <QApplication>
#include <QCursor>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);

    QPixmap pixmap(22, 22);
    pixmap.fill(QColor(0xf0, 0x80, 0x30));
    QSystemTrayIcon icon{QIcon(pixmap)};

    QWidget popup(nullptr, Qt::Popup);
    popup.setFixedSize(420, 620);

    QObject::connect(&icon, &QSystemTrayIcon::activated, &popup, [&] {
        if (popup.isVisible()) {
            popup.hide();
            return;
        }
        const QRect tray = icon.geometry();
        popup.move(tray.isValid() ? tray.bottomLeft() : QCursor::pos());
        popup.show();
    });
    icon.show();
    return app.exec();
}
