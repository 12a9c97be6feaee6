// SPDX-License-Identifier: MIT
#include "analysis/CanonicalText.h"

#include "analysis/Graphemes.h"

#include <algorithm>
#include <array>

namespace {

struct Singleton {
    char32_t from;
    char16_t to;
};

// Code points whose canonical decomposition is one single character of a marker. Other
// canonical decompositions add a combining mark, which a cluster-boundary check rejects.
constexpr std::array<Singleton, 3> kSingletons{{
    {0x0387, u'·'},
    {0xFAAE, u'类'},
    {0x2F855, u'型'},
}};

bool startsSingleton(char16_t c)
{
    return c == 0x0387 || c == 0xFAAE || c == 0xD87E;
}

} // namespace

CanonicalText::CanonicalText(const QString& text)
    : m_original(text)
{
    if (std::none_of(text.utf16(), text.utf16() + text.size(), startsSingleton)) {
        m_matching = text;
        return;
    }
    m_matching.reserve(text.size());
    m_toOriginal.reserve(text.size() + 1);
    for (qsizetype i = 0; i < text.size();) {
        const char32_t c = text.at(i).isHighSurrogate() && i + 1 < text.size() &&
                                   text.at(i + 1).isLowSurrogate()
                               ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                               : text.at(i).unicode();
        const qsizetype width = QChar::requiresSurrogates(c) ? 2 : 1;
        const auto hit = std::find_if(kSingletons.begin(), kSingletons.end(),
                                      [c](const Singleton& s) { return s.from == c; });
        if (hit != kSingletons.end()) {
            m_matching.append(QChar(hit->to));
            m_toOriginal.push_back(i);
        } else {
            m_matching.append(text.sliced(i, width));
            for (qsizetype k = 0; k < width; ++k)
                m_toOriginal.push_back(i + k);
        }
        i += width;
    }
    m_toOriginal.push_back(text.size());
}

qsizetype CanonicalText::toOriginal(qsizetype pos) const
{
    return m_toOriginal.empty() ? pos : m_toOriginal[static_cast<std::size_t>(pos)];
}

qsizetype CanonicalText::find(QStringView marker, qsizetype from) const
{
    for (qsizetype at = m_matching.indexOf(marker, from); at >= 0;
         at = m_matching.indexOf(marker, at + 1)) {
        if (Graphemes::isBoundary(m_original, toOriginal(at)) &&
            Graphemes::isBoundary(m_original, toOriginal(at + marker.size())))
            return at;
    }
    return -1;
}

qsizetype CanonicalText::findLineFeed(qsizetype from) const
{
    return m_matching.indexOf(u'\n', from);
}

QStringView CanonicalText::original(qsizetype begin, qsizetype end) const
{
    const qsizetype b = toOriginal(begin);
    return m_original.sliced(b, toOriginal(end) - b);
}

QStringView CanonicalText::originalFrom(qsizetype begin) const
{
    return m_original.sliced(toOriginal(begin));
}
