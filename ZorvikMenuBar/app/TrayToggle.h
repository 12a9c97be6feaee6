// SPDX-License-Identifier: MIT
#pragma once

#include <QSystemTrayIcon>

#include <chrono>
#include <optional>

// Turns tray activations into opening or closing the popover.
class TrayToggle final {
public:
    using Clock = std::chrono::steady_clock;
    enum class Action { Ignore, Open, Close };

    // A press on the icon can first make the popover hide itself (it lost activation or saw a
    // click outside) and only then arrive as a click; within this window it must not reopen.
    static constexpr std::chrono::milliseconds selfHideGrace{200};

    // A quick reopen after a close arrives as DoubleClick, so both count as a click.
    static bool isClick(QSystemTrayIcon::ActivationReason reason);

    Action onClick(bool popoverShown, Clock::time_point now) const;
    void popoverHidItself(Clock::time_point now);

private:
    std::optional<Clock::time_point> m_selfHiddenAt;
};
