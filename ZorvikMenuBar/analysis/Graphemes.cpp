// SPDX-License-Identifier: MIT
#include "analysis/Graphemes.h"

#include <QChar>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace Graphemes {

namespace {

// Code points that can continue a cluster or carry the state of an emoji ZWJ sequence or a
// regional-indicator pair; a boundary check must see the whole run before a position.
bool mayContinue(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format:
        return true;
    default:
        return (c >= 0x1F1E6 && c <= 0x1F1FF) || (c >= 0x1F3FB && c <= 0x1F3FF);
    }
}

// Where the code point that ends at `pos` begins.
qsizetype codePointStart(QStringView s, qsizetype pos)
{
    if (pos >= 2 && s[pos - 1].isLowSurrogate() && s[pos - 2].isHighSurrogate())
        return pos - 2;
    return pos - 1;
}

char32_t codePointAt(QStringView s, qsizetype pos)
{
    if (pos + 1 < s.size() && s[pos].isHighSurrogate() && s[pos + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(s[pos], s[pos + 1]);
    return s[pos].unicode();
}

// Characters that neither join what stands before them nor let what follows join them:
// between two of these there is always a boundary, and most of an answer is made of them.
bool standsAlone(char16_t c)
{
    return (c >= 0x20 && c <= 0x7E) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0x3000 && c <= 0x3029) || (c >= 0xFF01 && c <= 0xFF5E) ||
           (c >= 0x2010 && c <= 0x2027);
}

// Beyond the run of continuing code points, a few more units cover the base and any
// prepended mark, so the finder starts where the real text has a settled state.
constexpr qsizetype kMargin = 32;

qsizetype contextStart(QStringView s, qsizetype pos)
{
    qsizetype begin = pos;
    while (begin > 0) {
        const qsizetype previous = codePointStart(s, begin);
        if (!mayContinue(codePointAt(s, previous)))
            break;
        begin = previous;
    }
    return std::max<qsizetype>(0, begin - kMargin);
}

} // namespace

bool isBoundary(QStringView s, qsizetype pos)
{
    if (pos <= 0 || pos >= s.size())
        return true;
    if (standsAlone(s[pos - 1].unicode()) && standsAlone(s[pos].unicode()))
        return true;
    const qsizetype begin = contextStart(s, pos);
    // Only the code point at pos matters after it.
    const qsizetype end = std::min(s.size(), pos + 2);
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
        qsizetype end = std::min(s.size(), window);
        // A window that cut a surrogate pair would show a lone surrogate, which breaks
        // before itself, in place of an emoji modifier that does not.
        if (end < s.size() && s[end - 1].isHighSurrogate() && s[end].isLowSurrogate())
            ++end;
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
