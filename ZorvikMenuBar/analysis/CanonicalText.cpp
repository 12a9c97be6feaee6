// SPDX-License-Identifier: MIT
#include "analysis/CanonicalText.h"

#include "analysis/Graphemes.h"

#include <array>

namespace CanonicalText {

namespace {

struct Singleton {
    QStringView from;
    char16_t to;
};

// Code points whose canonical decomposition is one single character of a marker. Other
// canonical decompositions add a combining mark, which the cluster-boundary check rejects.
constexpr std::array<Singleton, 3> kSingletons{{
    {u"\u0387", u'·'},
    {u"\uFAAE", u'类'},
    {u"\U0002F855", u'型'},
}};

// Code units that `text` spends from `at` on a character canonically equal to `c`, or 0.
qsizetype equivalentWidth(QStringView text, qsizetype at, char16_t c)
{
    if (text[at] == c)
        return 1;
    for (const Singleton& s : kSingletons) {
        if (s.to == c && text.sliced(at).startsWith(s.from))
            return s.from.size();
    }
    return 0;
}

} // namespace

QList<QChar> beginnings(char16_t c)
{
    QList<QChar> units{QChar(c)};
    for (const Singleton& s : kSingletons) {
        if (s.to == c)
            units.append(s.from.front());
    }
    return units;
}

qsizetype matchEnd(QStringView text, qsizetype at, QStringView marker)
{
    qsizetype end = at;
    for (const QChar c : marker) {
        if (end >= text.size())
            return -1;
        const qsizetype width = equivalentWidth(text, end, c.unicode());
        if (width == 0)
            return -1;
        end += width;
    }
    if (!Graphemes::isBoundary(text, at) || !Graphemes::isBoundary(text, end))
        return -1;
    return end;
}

} // namespace CanonicalText
