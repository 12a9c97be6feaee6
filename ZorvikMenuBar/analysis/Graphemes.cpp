// SPDX-License-Identifier: MIT
#include "analysis/Graphemes.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace Graphemes {

namespace {

// A boundary depends on a few neighbours only, so a window keeps a search in a long answer
// linear. Runs of more than kLookBehind regional indicators or extenders are the one
// case a window can misjudge; no real text has them.
constexpr qsizetype kLookBehind = 32;
constexpr qsizetype kLookAhead = 8;

} // namespace

bool isBoundary(QStringView s, qsizetype pos)
{
    if (pos <= 0 || pos >= s.size())
        return true;
    const qsizetype begin = std::max<qsizetype>(0, pos - kLookBehind);
    const qsizetype end = std::min(s.size(), pos + kLookAhead);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s.data() + begin, end - begin);
    finder.setPosition(pos - begin);
    return finder.isAtBoundary();
}

qsizetype find(QStringView haystack, QStringView needle, qsizetype from)
{
    for (qsizetype at = haystack.indexOf(needle, from); at >= 0;
         at = haystack.indexOf(needle, at + 1)) {
        if (isBoundary(haystack, at) && isBoundary(haystack, at + needle.size()))
            return at;
    }
    return -1;
}

qsizetype prefixLength(QStringView s, qsizetype clusters)
{
    // Grow the examined window until it holds enough clusters, so a long text after a
    // short prefix is never segmented as a whole.
    for (qsizetype window = std::max<qsizetype>(64, clusters * 4);; window *= 2) {
        const qsizetype end = std::min(s.size(), window);
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s.data(), end);
        qsizetype counted = 0;
        qsizetype pos = 0;
        while (counted < clusters) {
            const qsizetype next = finder.toNextBoundary();
            // The window's own end is no boundary of the text unless it is the text's end.
            if (next < 0 || (next == end && end < s.size()))
                break;
            pos = next;
            ++counted;
        }
        if (counted == clusters || end == s.size())
            return counted == clusters ? pos : s.size();
    }
}

} // namespace Graphemes
