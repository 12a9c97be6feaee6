// SPDX-License-Identifier: MIT
// Input bytes are UTF-16LE code units, so lone surrogates and NULs are reachable.
#include "analysis/CharacterSets.h"
#include "analysis/ParseResult.h"

#include <QSet>
#include <QTextBoundaryFinder>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace {

void require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

bool newlineAtAnEnd(const QString& s)
{
    return !s.isEmpty() && (CharacterSets::isNewline(s.front().unicode()) ||
                            CharacterSets::isNewline(s.back().unicode()));
}

bool boundaryWithin(QStringView pair, qsizetype at)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, pair.data(), pair.size());
    finder.setPosition(at);
    return finder.isAtBoundary();
}

qsizetype codePointWidth(QStringView s, qsizetype i)
{
    return s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate() ? 2 : 1;
}

char32_t codePointAt(QStringView s, qsizetype i)
{
    return codePointWidth(s, i) == 2 ? QChar::surrogateToUcs4(s[i], s[i + 1]) : s[i].unicode();
}

bool isMarkOrFormat(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format:
        return true;
    default:
        return false;
    }
}

// The parser keeps a colon that is part of a larger character. Qt's cluster finder tailors
// complex scripts by their surroundings, so a colon counts as joined when its neighbour
// joins it by itself or is a mark or format character.
bool hasLoneColon(QStringView s)
{
    for (qsizetype i = s.indexOf(u'：'); i >= 0; i = s.indexOf(u'：', i + 1)) {
        bool joined = false;
        if (i + 1 < s.size()) {
            const QStringView pair = s.sliced(i, 1 + codePointWidth(s, i + 1));
            joined = !boundaryWithin(pair, 1) || isMarkOrFormat(codePointAt(s, i + 1));
        }
        if (i > 0) {
            const qsizetype previous = i >= 2 && codePointWidth(s, i - 2) == 2 ? i - 2 : i - 1;
            const QStringView pair = s.sliced(previous, i + 1 - previous);
            joined = joined || !boundaryWithin(pair, i - previous) ||
                     isMarkOrFormat(codePointAt(s, previous));
        }
        if (!joined)
            return true;
    }
    return false;
}

qsizetype clusterCount(const QString& s)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
    qsizetype count = 0;
    while (finder.toNextBoundary() > 0)
        ++count;
    return count;
}

// Where every code point is a cluster of its own (CRLF aside) and none has a canonical
// equivalent, the parser must agree with a literal reading of its rules.
bool isPlain(const QString& s)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c == 0xD83D && i + 1 < s.size() && s[i + 1].unicode() == 0xDCD6) {
            ++i;
            continue;
        }
        const bool plain = c < 0x300 || (c >= 0x3000 && c <= 0x3029) ||
                           (c >= 0x4E00 && c <= 0x9FFF) || c == 0x2192 || c == 0xFF1A;
        if (!plain)
            return false;
    }
    return true;
}

std::optional<QString> literalHeader(const QString& s, const QString& marker)
{
    const qsizetype at = s.indexOf(marker);
    if (at < 0)
        return std::nullopt;
    const qsizetype begin = at + marker.size();
    const qsizetype lineEnd = s.indexOf(u'\n', begin);
    if (lineEnd < 0)
        return std::nullopt;
    return CharacterSets::trimNewlines(QStringView(s).sliced(begin, lineEnd - begin)).toString();
}

struct LiteralReply {
    QString kind;
    QString text;
    QString tactic;
};

std::optional<LiteralReply> literalReply(const QString& s, QChar letter)
{
    const qsizetype at = s.indexOf(QString(letter) + u'【');
    if (at < 0)
        return std::nullopt;
    const qsizetype close = s.indexOf(u'】', at + 2);
    if (close < 0)
        return std::nullopt;
    QString remainder = s.sliced(close + 1);
    remainder.remove(u'：');
    const qsizetype lineEnd = remainder.indexOf(u'\n');
    if (lineEnd < 0)
        return std::nullopt;
    QStringView line = QStringView(remainder).first(lineEnd);
    if (line.endsWith(u'\r'))
        line.chop(1);
    line = CharacterSets::trimWhitespace(line);
    const qsizetype split = line.indexOf(u" → ");
    return LiteralReply{s.sliced(at + 2, close - at - 2),
                        split < 0 ? line.toString() : line.first(split).toString(),
                        split < 0 ? QString() : line.sliced(split + 3).toString()};
}

std::optional<QString> literalTip(const QString& s)
{
    const QString marker = u"📖 职场秘籍"_s;
    const qsizetype at = s.indexOf(marker);
    if (at < 0)
        return std::nullopt;
    const QStringView rest = QStringView(s).sliced(at + marker.size());
    qsizetype end = 0;
    for (int taken = 0; taken < 200 && end < rest.size(); ++taken) {
        const bool pair = (rest[end] == u'\r' && end + 1 < rest.size() && rest[end + 1] == u'\n') ||
                          (rest[end].isHighSurrogate() && end + 1 < rest.size() &&
                           rest[end + 1].isLowSurrogate());
        end += pair ? 2 : 1;
    }
    QString tip = CharacterSets::trimNewlines(rest.first(end)).toString();
    tip.replace(u"\r\n"_s, u"\n"_s);
    return tip;
}

void compareWithLiteralReading(const QString& input, const AnalysisResult& result)
{
    require(result.subtext == literalHeader(input, u"· 潜台词："_s), "subtext as read literally");
    require(result.profileType == literalHeader(input, u"· 类型："_s),
            "profileType as read literally");
    require(result.profileLogic == literalHeader(input, u"· 底层逻辑："_s),
            "profileLogic as read literally");
    require(result.miji == literalTip(input), "miji as read literally");
    qsizetype next = 0;
    for (const QChar letter : {u'A', u'B', u'C'}) {
        const auto expected = literalReply(input, letter);
        if (!expected)
            continue;
        require(next < result.replies.size(), "a reply the literal reading finds");
        const ReplyItem& got = result.replies[next++];
        require(got.letter == QString(letter) && got.kind == expected->kind &&
                    got.text == expected->text && got.tactic == expected->tactic,
                "reply as read literally");
    }
    require(next == result.replies.size(), "no reply beyond the literal reading");
}

void checkProperties(const QString& input, const AnalysisResult& result)
{
    for (const auto* field : {&result.subtext, &result.profileType, &result.profileLogic}) {
        if (!*field)
            continue;
        require(!(*field)->contains(u'\n'), "no line feed in a header value");
        require(!newlineAtAnEnd(**field), "no newline at either end of a header value");
        require(input.contains(**field), "a header value is the input's own text");
    }

    QString lastLetter;
    QSet<QUuid> ids;
    for (const ReplyItem& reply : result.replies) {
        require(reply.letter == u"A"_s || reply.letter == u"B"_s || reply.letter == u"C"_s,
                "letter is A, B or C");
        require(reply.letter > lastLetter, "letters in order, each once");
        lastLetter = reply.letter;
        require(input.contains(reply.kind), "kind is the input's own text");
        for (const QString* value : {&reply.text, &reply.tactic}) {
            require(!value->contains(u'\n'), "no line feed in text or tactic");
            require(!hasLoneColon(*value), "no fullwidth colon in text or tactic");
        }
        require(reply.id().version() == QUuid::Random, "random id");
        ids.insert(reply.id());
    }
    require(ids.size() == result.replies.size(), "distinct ids");

    if (result.miji) {
        require(clusterCount(*result.miji) <= 200, "miji at most 200 characters");
        require(!newlineAtAnEnd(*result.miji), "no newline at either end of miji");
        require(QString(input).replace(u"\r\n"_s, u"\n"_s).contains(*result.miji),
                "miji is the input's own text");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QString input(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    for (qsizetype i = 0; i < input.size(); ++i)
        input[i] = QChar(static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8)));

    const AnalysisResult result = parseResult(input);
    checkProperties(input, result);
    if (isPlain(input))
        compareWithLiteralReading(input, result);
    return 0;
}
