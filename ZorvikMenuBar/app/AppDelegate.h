// SPDX-License-Identifier: MIT
#pragma once

#include "PopoverWindow.h"
#include "TrayToggle.h"
#include "analysis/AnalysisClient.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

#include <memory>

// Owns the shell's platform objects: the tray icon and the popover that hosts the one panel.
class AppDelegate final : public QObject {
    Q_OBJECT
public:
    explicit AppDelegate(QObject* parent = nullptr);
    ~AppDelegate() override;

    void applicationDidFinishLaunching();
    void togglePopover();

private:
    void showStatusItemWhenTrayExists();
    QPoint popoverTopLeft() const;

    // Declared before the popover: the panel inside it posts through this client.
    QNetworkAccessManager network;
    AnalysisClient client;
    QSystemTrayIcon* statusItem = nullptr;
    std::unique_ptr<PopoverWindow> popover;
    TrayToggle toggle;
    QTimer trayWait;
};
