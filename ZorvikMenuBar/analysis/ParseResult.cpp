// SPDX-License-Identifier: MIT
#include "analysis/ParseResult.h"

#include "analysis/CanonicalText.h"
#include "analysis/CharacterSets.h"
#include "analysis/Graphemes.h"

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qsizetype kMijiLimit = 200;

// The line feed is the only line end; a CR right before it belongs to the line end too,
// so text from CRLF services never carries a stray CR into a value.
QStringView withoutTrailingCr(QStringView line)
{
    return line.endsWith(u'\r') ? line.chopped(1) : line;
}

std::optional<QString> headerField(const CanonicalText& text, QStringView marker)
{
    const qsizetype at = text.find(marker, 0);
    if (at < 0)
        return std::nullopt;
    const qsizetype begin = at + marker.size();
    const qsizetype lineEnd = text.findLineFeed(begin);
    if (lineEnd < 0)
        return std::nullopt;
    return CharacterSets::trimNewlines(text.original(begin, lineEnd)).toString();
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

std::optional<ReplyItem> reply(const CanonicalText& text, QChar letter)
{
    const QString start = QString(letter) + u'【';
    const qsizetype at = text.find(start, 0);
    if (at < 0)
        return std::nullopt;
    const qsizetype kindBegin = at + start.size();
    const qsizetype kindEnd = text.find(u"】", kindBegin);
    if (kindEnd < 0)
        return std::nullopt;
    const qsizetype lineBegin = kindEnd + 1;
    const qsizetype lineEnd = text.findLineFeed(lineBegin);
    if (lineEnd < 0)
        return std::nullopt;

    // Deleting colons only within the reply's own line gives the same values as deleting
    // them to the end of the text, without copying the rest of a long answer per letter.
    const QString line = withoutFullwidthColons(text.original(lineBegin, lineEnd));
    const QStringView trimmed = CharacterSets::trimWhitespace(withoutTrailingCr(line));
    constexpr QStringView arrow = u" → ";
    const qsizetype split = Graphemes::find(trimmed, arrow, 0);
    QString replyText = split < 0 ? trimmed.toString() : trimmed.first(split).toString();
    QString tactic = split < 0 ? QString() : trimmed.sliced(split + arrow.size()).toString();
    return ReplyItem(QString(letter), text.original(kindBegin, kindEnd).toString(),
                     std::move(replyText), std::move(tactic));
}

std::optional<QString> miji(const CanonicalText& text)
{
    constexpr QStringView marker = u"📖 职场秘籍";
    const qsizetype at = text.find(marker, 0);
    if (at < 0)
        return std::nullopt;
    const QStringView rest = text.originalFrom(at + marker.size());
    const QStringView tip = rest.first(Graphemes::prefixLength(rest, kMijiLimit));
    QString value = CharacterSets::trimNewlines(tip).toString();
    value.replace(u"\r\n"_s, u"\n"_s);
    return value;
}

} // namespace

AnalysisResult parseResult(const QString& input)
{
    const CanonicalText text(input);
    AnalysisResult result;
    result.subtext = headerField(text, u"· 潜台词：");
    result.profileType = headerField(text, u"· 类型：");
    result.profileLogic = headerField(text, u"· 底层逻辑：");
    for (const QChar letter : {u'A', u'B', u'C'}) {
        if (auto item = reply(text, letter))
            result.replies.append(std::move(*item));
    }
    result.miji = miji(text);
    return result;
}
