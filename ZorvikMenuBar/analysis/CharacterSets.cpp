// SPDX-License-Identifier: MIT
#include "analysis/CharacterSets.h"

#include <QChar>

namespace CharacterSets {

bool isNewline(char32_t c)
{
    return (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
}

bool isWhitespace(char32_t c)
{
    return c == 0x09 || QChar::category(c) == QChar::Separator_Space;
}

bool isWhitespaceOrNewline(char32_t c)
{
    return isNewline(c) || isWhitespace(c);
}

namespace {

// Every member of both sets is in the BMP, so a surrogate never matches and trimming
// never splits a pair.
template <typename Pred> QStringView trimBy(QStringView s, Pred inSet)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && inSet(s[begin].unicode()))
        ++begin;
    while (end > begin && inSet(s[end - 1].unicode()))
        --end;
    return s.sliced(begin, end - begin);
}

} // namespace

QStringView trimNewlines(QStringView s)
{
    return trimBy(s, isNewline);
}

QStringView trimWhitespace(QStringView s)
{
    return trimBy(s, isWhitespace);
}

QStringView trimWhitespaceAndNewlines(QStringView s)
{
    return trimBy(s, isWhitespaceOrNewline);
}

bool isBlank(QStringView s)
{
    return trimWhitespaceAndNewlines(s).isEmpty();
}

} // namespace CharacterSets
