// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The text sent as "message": the received text and the user's note, each trimmed and under
// its own label, only when non-blank. Empty when both are blank.
QString composeMessage(const QString& otherMsg, const QString& myNote);
