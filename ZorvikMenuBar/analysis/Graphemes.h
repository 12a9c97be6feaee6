// SPDX-License-Identifier: MIT
#pragma once

#include <QStringView>

// Searching and counting by user-perceived characters (extended grapheme clusters).
namespace Graphemes {

bool isBoundary(QStringView s, qsizetype pos);

// Leftmost match at or after `from` that starts and ends on cluster boundaries, or -1.
qsizetype find(QStringView haystack, QStringView needle, qsizetype from);

// Code units taken by the first `clusters` clusters of `s` (all of it when shorter).
qsizetype prefixLength(QStringView s, qsizetype clusters);

} // namespace Graphemes
