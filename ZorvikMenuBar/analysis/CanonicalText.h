// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QStringView>

// Markers match by canonical equivalence and only on cluster boundaries, while every value
// is cut from the answer's own characters, so a match is reported in the answer's positions.
namespace CanonicalText {

// The code units a character canonically equal to `c` can begin with, `c` first.
QList<QChar> beginnings(char16_t c);

// End of a match of `marker` that begins at `at` in `text`, or -1.
qsizetype matchEnd(QStringView text, qsizetype at, QStringView marker);

} // namespace CanonicalText
