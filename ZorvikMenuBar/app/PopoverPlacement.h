// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// Where the popover's top-left corner goes: against the tray icon on the side facing the
// middle of the screen (below a top tray, above a bottom one, beside a side one), or at the
// pointer when the tray reports no geometry; always clamped into the screen's available area.
QPoint popoverPosition(std::optional<QRect> icon, QPoint cursor, QRect available, QSize popover);
