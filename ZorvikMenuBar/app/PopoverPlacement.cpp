// SPDX-License-Identifier: MIT
#include "PopoverPlacement.h"

#include <algorithm>

namespace {

enum class Edge { Top, Bottom, Left, Right };

// The screen edge the anchor sits closest to. Distances are negative for an anchor on a panel
// outside the available area. A tie goes to top or bottom: side panels are the rarer kind.
Edge nearestEdge(QRect anchor, QRect available)
{
    const int top = anchor.top() - available.top();
    const int bottom = available.bottom() - anchor.bottom();
    const int left = anchor.left() - available.left();
    const int right = available.right() - anchor.right();
    const int vertical = std::min(top, bottom);
    const int horizontal = std::min(left, right);
    if (horizontal < vertical) {
        return left <= right ? Edge::Left : Edge::Right;
    }
    return top <= bottom ? Edge::Top : Edge::Bottom;
}

// Keeps [pos, pos + length) inside [low, high); a popover longer than the range shows its start.
int clampInto(int pos, int length, int low, int high)
{
    return std::max(low, std::min(pos, high - length));
}

} // namespace

QPoint popoverPosition(std::optional<QRect> icon, QPoint cursor, QRect available, QSize popover)
{
    const QRect anchor = icon && icon->isValid() ? *icon : QRect(cursor, QSize(0, 0));
    const int centredX = anchor.x() + (anchor.width() - popover.width()) / 2;
    const int centredY = anchor.y() + (anchor.height() - popover.height()) / 2;
    QPoint pos;
    switch (nearestEdge(anchor, available)) {
    case Edge::Top:
        pos = QPoint(centredX, anchor.bottom() + 1);
        break;
    case Edge::Bottom:
        pos = QPoint(centredX, anchor.top() - popover.height());
        break;
    case Edge::Left:
        pos = QPoint(anchor.right() + 1, centredY);
        break;
    case Edge::Right:
        pos = QPoint(anchor.left() - popover.width(), centredY);
        break;
    }
    return {clampInto(pos.x(), popover.width(), available.left(), available.right() + 1),
            clampInto(pos.y(), popover.height(), available.top(), available.bottom() + 1)};
}
