// SPDX-License-Identifier: MIT
#pragma once

class QCoreApplication;

// Loads Qt's own catalogue for the default locale, so Qt's network error texts reach the
// user in their language. Without a catalogue the texts stay English.
void installQtTranslations(QCoreApplication& app);
