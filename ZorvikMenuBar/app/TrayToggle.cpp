// SPDX-License-Identifier: MIT
#include "TrayToggle.h"

bool TrayToggle::isClick(QSystemTrayIcon::ActivationReason reason)
{
    return reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick;
}

TrayToggle::Action TrayToggle::onClick(bool popoverShown, Clock::time_point now) const
{
    if (popoverShown) {
        return Action::Close;
    }
    if (m_selfHiddenAt && now - *m_selfHiddenAt < selfHideGrace) {
        return Action::Ignore;
    }
    return Action::Open;
}

void TrayToggle::popoverHidItself(Clock::time_point now)
{
    m_selfHiddenAt = now;
}
