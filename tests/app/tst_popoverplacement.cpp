// SPDX-License-Identifier: MIT
#include "PopoverPlacement.h"

#include <QTest>

#include <optional>

namespace {
const QSize popover(420, 620);
}

class TestPopoverPlacement final : public QObject {
    Q_OBJECT
private slots:
    void placement_data();
    void placement();
};

void TestPopoverPlacement::placement_data()
{
    QTest::addColumn<std::optional<QRect>>("icon");
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("expected");

    const QPoint anywhere(5, 5);
    const QRect underTopPanel(0, 24, 1920, 1056);
    QTest::addRow("top panel: centred under the icon")
        << std::optional(QRect(1000, 0, 24, 24)) << anywhere << underTopPanel << QPoint(802, 24);
    QTest::addRow("top panel, icon in the corner: pulled left onto the screen")
        << std::optional(QRect(1890, 0, 24, 24)) << anywhere << underTopPanel << QPoint(1500, 24);
    QTest::addRow("top panel, icon at the left edge: pulled right onto the screen")
        << std::optional(QRect(4, 0, 24, 24)) << anywhere << underTopPanel << QPoint(0, 24);
    QTest::addRow("tray without a strut: just below the icon")
        << std::optional(QRect(1000, 2, 20, 20)) << anywhere << QRect(0, 0, 1920, 1080)
        << QPoint(800, 22);
    QTest::addRow("bottom panel: above the icon")
        << std::optional(QRect(1800, 1048, 24, 24)) << anywhere << QRect(0, 0, 1920, 1040)
        << QPoint(1500, 420);
    QTest::addRow("left panel: beside the icon, never over the panel")
        << std::optional(QRect(8, 500, 24, 24)) << anywhere << QRect(40, 0, 1880, 1080)
        << QPoint(40, 202);
    QTest::addRow("right panel near the top: beside the icon, clamped down from above")
        << std::optional(QRect(1888, 100, 24, 24)) << anywhere << QRect(0, 0, 1880, 1080)
        << QPoint(1460, 0);
    QTest::addRow("no geometry, pointer in a top panel: below the pointer")
        << std::optional<QRect>() << QPoint(700, 10) << underTopPanel << QPoint(490, 24);
    QTest::addRow("no geometry, pointer in a bottom panel: above the panel")
        << std::optional<QRect>() << QPoint(300, 1070) << QRect(0, 0, 1920, 1040)
        << QPoint(90, 420);
    QTest::addRow("no geometry, pointer low on a screen without struts: above the pointer")
        << std::optional<QRect>() << QPoint(300, 1070) << QRect(0, 0, 1920, 1080)
        << QPoint(90, 450);
    QTest::addRow("empty icon rectangle counts as no geometry")
        << std::optional(QRect()) << QPoint(300, 1070) << QRect(0, 0, 1920, 1040)
        << QPoint(90, 420);
    QTest::addRow("second screen to the right: clamped to its right edge")
        << std::optional(QRect(3160, 0, 24, 24)) << anywhere << QRect(1920, 24, 1280, 1000)
        << QPoint(2780, 24);
    QTest::addRow("screen left of the primary, negative coordinates, bottom panel")
        << std::optional(QRect(-1260, 1000, 24, 24)) << anywhere << QRect(-1280, 0, 1280, 990)
        << QPoint(-1280, 370);
    QTest::addRow("screen smaller than the popover: its top-left corner stays visible")
        << std::optional(QRect(200, 0, 20, 20)) << anywhere << QRect(0, 20, 400, 560)
        << QPoint(0, 20);
}

void TestPopoverPlacement::placement()
{
    QFETCH(std::optional<QRect>, icon);
    QFETCH(QPoint, cursor);
    QFETCH(QRect, available);
    QFETCH(QPoint, expected);

    const QPoint topLeft = popoverPosition(icon, cursor, available, popover);
    QCOMPARE(topLeft, expected);
    if (available.width() >= popover.width() && available.height() >= popover.height()) {
        QVERIFY(available.contains(QRect(topLeft, popover)));
    }
}

QTEST_APPLESS_MAIN(TestPopoverPlacement)
#include "tst_popoverplacement.moc"
