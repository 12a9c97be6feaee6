// SPDX-License-Identifier: MIT
#include "analysis/ParseResult.h"

#include "analysis/CanonicalText.h"
#include "analysis/CharacterSets.h"
#include "analysis/Graphemes.h"

#include <algorithm>
#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qsizetype kMijiLimit = 200;
constexpr QStringView kSubtext = u"· 潜台词：";
constexpr QStringView kProfileType = u"· 类型：";
constexpr QStringView kProfileLogic = u"· 底层逻辑：";
constexpr QStringView kTip = u"📖 职场秘籍";
constexpr QStringView kArrow = u" → ";
constexpr std::array<QStringView, 3> kReplyStarts{u"A【", u"B【", u"C【"};

struct Match {
    qsizetype begin = -1;
    qsizetype end = -1;

    bool found() const { return begin >= 0; }
};

// Leftmost matches of markers that share the character at `offset`. Each search in the text
// starts at its beginning; finding the shared character with Qt's vectorised search and
// trying every marker there reads a long answer once per group instead of once per marker.
template <std::size_t N>
std::array<Match, N> findLeftmost(QStringView text, const std::array<QStringView, N>& markers,
                                  qsizetype offset)
{
    std::array<Match, N> found;
    const auto settledBefore = [&found](qsizetype pos) {
        return std::all_of(found.begin(), found.end(),
                           [pos](const Match& m) { return m.found() && m.begin < pos; });
    };
    for (const QChar unit : CanonicalText::beginnings(markers.front()[offset].unicode())) {
        for (qsizetype at = text.indexOf(unit, offset); at >= 0 && !settledBefore(at - offset);
             at = text.indexOf(unit, at + 1)) {
            const qsizetype begin = at - offset;
            for (std::size_t k = 0; k < N; ++k) {
                if (found[k].found() && found[k].begin < begin)
                    continue;
                const qsizetype end = CanonicalText::matchEnd(text, begin, markers[k]);
                if (end >= 0)
                    found[k] = {begin, end};
            }
        }
    }
    return found;
}

std::optional<QString> headerField(QStringView text, Match marker)
{
    if (!marker.found())
        return std::nullopt;
    const qsizetype lineEnd = text.indexOf(u'\n', marker.end);
    if (lineEnd < 0)
        return std::nullopt;
    return CharacterSets::trimNewlines(text.sliced(marker.end, lineEnd - marker.end)).toString();
}

// The line feed is the only line end; a CR right before it belongs to the line end too,
// so text from CRLF services never carries a stray CR into a value.
QStringView withoutTrailingCr(QStringView line)
{
    return line.endsWith(u'\r') ? line.chopped(1) : line;
}

// Every whole "：" goes; one that a combining mark is attached to is a different character.
QString withoutFullwidthColons(QStringView line)
{
    QString out;
    out.reserve(line.size());
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = Graphemes::find(line, u"：", from);
        if (at < 0)
            break;
        out.append(line.sliced(from, at - from));
        from = at + 1;
    }
    out.append(line.sliced(from));
    return out;
}

std::optional<ReplyItem> reply(QStringView text, Match start, QChar letter)
{
    if (!start.found())
        return std::nullopt;
    const qsizetype kindEnd = Graphemes::find(text, u"】", start.end);
    if (kindEnd < 0)
        return std::nullopt;
    const qsizetype lineBegin = kindEnd + 1;
    const qsizetype lineEnd = text.indexOf(u'\n', lineBegin);
    if (lineEnd < 0)
        return std::nullopt;

    // Deleting colons only within the reply's own line gives the same values as deleting
    // them to the end of the text, without copying the rest of a long answer per letter.
    const QString line = withoutFullwidthColons(text.sliced(lineBegin, lineEnd - lineBegin));
    const QStringView trimmed = CharacterSets::trimWhitespace(withoutTrailingCr(line));
    const qsizetype split = Graphemes::find(trimmed, kArrow, 0);
    QString replyText = split < 0 ? trimmed.toString() : trimmed.first(split).toString();
    QString tactic = split < 0 ? QString() : trimmed.sliced(split + kArrow.size()).toString();
    return ReplyItem(QString(letter), text.sliced(start.end, kindEnd - start.end).toString(),
                     std::move(replyText), std::move(tactic));
}

std::optional<QString> miji(QStringView text, Match marker)
{
    if (!marker.found())
        return std::nullopt;
    const QStringView rest = text.sliced(marker.end);
    const QStringView tip = rest.first(Graphemes::prefixLength(rest, kMijiLimit));
    QString value = CharacterSets::trimNewlines(tip).toString();
    value.replace(u"\r\n"_s, u"\n"_s);
    return value;
}

} // namespace

AnalysisResult parseResult(const QString& input)
{
    const QStringView text(input);
    const auto headers = findLeftmost<3>(text, {kSubtext, kProfileType, kProfileLogic}, 0);
    const auto replyStarts = findLeftmost(text, kReplyStarts, 1);
    const auto tip = findLeftmost<1>(text, {kTip}, 0);

    AnalysisResult result;
    result.subtext = headerField(text, headers[0]);
    result.profileType = headerField(text, headers[1]);
    result.profileLogic = headerField(text, headers[2]);
    for (std::size_t i = 0; i < kReplyStarts.size(); ++i) {
        if (auto item = reply(text, replyStarts[i], kReplyStarts[i].front()))
            result.replies.append(std::move(*item));
    }
    result.miji = miji(text, tip[0]);
    return result;
}
