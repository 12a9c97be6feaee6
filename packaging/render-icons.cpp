// SPDX-License-Identifier: MIT
// Renders the tray's emoji into a freedesktop hicolor icon tree for packaging.
//
// usage: render-icons OUTPUT_DIR NAME
#include "EmojiIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: render-icons OUTPUT_DIR NAME\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString dir = u"%1/hicolor/%2x%2/apps"_s.arg(out).arg(size);
        const QImage image = renderEmoji(u"🏀"_s, size);
        if (!QDir().mkpath(dir) || image.isNull() || !image.save(dir + u'/' + name + u".png"_s)) {
            std::fprintf(stderr, "cannot render the %dx%d icon into %s\n", size, size,
                         qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
