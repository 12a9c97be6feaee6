// SPDX-License-Identifier: MIT
#include "analysis/CanonicalText.h"

#include "analysis/Graphemes.h"

#include <algorithm>
#include <array>

namespace {

struct Singleton {
    QStringView from;
    QChar to;
};

// Code points whose canonical decomposition is one single character of a marker. Other
// canonical decompositions add a combining mark, which a cluster-boundary check rejects.
constexpr std::array<Singleton, 3> kSingletons{{
    {u"\u0387", u'·'},
    {u"\uFAAE", u'类'},
    {u"\U0002F855", u'型'},
}};

bool startsSingleton(QChar c)
{
    return std::any_of(kSingletons.begin(), kSingletons.end(),
                       [c](const Singleton& s) { return s.from.front() == c; });
}

} // namespace

CanonicalText::CanonicalText(const QString& text)
    : m_original(text)
    , m_matching(text)
{
    const QStringView units(text);
    if (std::none_of(units.begin(), units.end(), startsSingleton))
        return;
    QString matching;
    matching.reserve(text.size());
    qsizetype copied = 0;
    for (qsizetype i = 0; i < units.size();) {
        const QStringView rest = units.sliced(i);
        const auto hit =
            std::find_if(kSingletons.begin(), kSingletons.end(),
                         [rest](const Singleton& s) { return rest.startsWith(s.from); });
        if (hit == kSingletons.end()) {
            ++i;
            continue;
        }
        matching.append(units.sliced(copied, i - copied));
        matching.append(hit->to);
        if (hit->from.size() > 1)
            m_shrunk.push_back(matching.size() - 1);
        i += hit->from.size();
        copied = i;
    }
    matching.append(units.sliced(copied));
    m_matching = std::move(matching);
}

qsizetype CanonicalText::toOriginal(qsizetype pos) const
{
    const auto before = std::lower_bound(m_shrunk.begin(), m_shrunk.end(), pos);
    return pos + (before - m_shrunk.begin());
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
