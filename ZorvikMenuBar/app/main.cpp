// SPDX-License-Identifier: MIT
#include "AppDelegate.h"
#include "analysis/QtTranslations.h"

#include <QApplication>

#include <memory>

namespace {

// A fixed command line: the app takes no arguments, so none reach Qt's own option parsing.
int argc = 1;
char programName[] = "zorvik-menubar";
char* argv[] = {programName, nullptr};

} // namespace

// Both live until the process ends; the delegate owns the tray icon and the popover, and is
// destroyed before the application object.
std::unique_ptr<QApplication> a;
std::unique_ptr<AppDelegate> delegate;

int main()
{
    a = std::make_unique<QApplication>(argc, argv);
    a->setQuitOnLastWindowClosed(false);
    installQtTranslations(*a);
    delegate = std::make_unique<AppDelegate>();
    return a->exec();
}
