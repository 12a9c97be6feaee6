// SPDX-License-Identifier: MIT
#include "AppDelegate.h"

#include "EmojiIcon.h"
#include "PopoverPlacement.h"
#include "analysis/ServiceConfig.h"
#include "panel/ContentView.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include <chrono>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;
using namespace std::chrono_literals;

AppDelegate::AppDelegate(QObject* parent)
    : QObject(parent)
    , client(network, serviceEndpoint(), serviceExtraCaCertificates(), 90s)
{
    // Launch finishes once the event loop runs, as the tray needs a live connection to the desktop.
    QTimer::singleShot(0, this, &AppDelegate::applicationDidFinishLaunching);
}

AppDelegate::~AppDelegate() = default;

void AppDelegate::applicationDidFinishLaunching()
{
    statusItem = new QSystemTrayIcon(emojiIcon(u"🏀"_s), this);
    connect(statusItem, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (TrayToggle::isClick(reason)) {
                    togglePopover();
                }
            });

    // The icon goes out to the tray first: building the panel takes longer than the whole
    // icon, and no click can arrive before this function returns anyway.
    showStatusItemWhenTrayExists();

    popover = std::make_unique<PopoverWindow>(new ContentView(client));
    connect(popover.get(), &PopoverWindow::dismissed, this,
            [this] { toggle.popoverHidItself(TrayToggle::Clock::now()); });
}

void AppDelegate::togglePopover()
{
    switch (toggle.onClick(popover->isVisible(), TrayToggle::Clock::now())) {
    case TrayToggle::Action::Close:
        popover->hide();
        break;
    case TrayToggle::Action::Open:
        popover->showAt(popoverTopLeft());
        break;
    case TrayToggle::Action::Ignore:
        break;
    }
}

void AppDelegate::showStatusItemWhenTrayExists()
{
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        statusItem->show();
        return;
    }
    // Someone starting the app from a terminal would otherwise see nothing happen at all.
    std::fputs("zorvik-menubar: waiting for a system tray to appear\n", stderr);
    trayWait.setInterval(1s);
    connect(&trayWait, &QTimer::timeout, this, [this] {
        if (QSystemTrayIcon::isSystemTrayAvailable()) {
            trayWait.stop();
            statusItem->show();
        }
    });
    trayWait.start();
}

QPoint AppDelegate::popoverTopLeft() const
{
    // Trays that report no geometry (StatusNotifier hosts) leave the pointer as the anchor.
    const QRect icon = statusItem->geometry();
    const QPoint cursor = QCursor::pos();
    QScreen* screen = QGuiApplication::screenAt(icon.isValid() ? icon.center() : cursor);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return popoverPosition(icon.isValid() ? std::optional(icon) : std::nullopt, cursor,
                           screen->availableGeometry(), PopoverWindow::contentSize);
}
