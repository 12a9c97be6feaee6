// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>

// The two trimming sets shared by the parser, the message composition and the editors'
// blank test. Neither contains the other: line feed and carriage return are newlines only.
namespace CharacterSets {

// U+000A..U+000D, U+0085, U+2028, U+2029
bool isNewline(char32_t c);
// U+0009 and every character of general category Zs
bool isWhitespace(char32_t c);
bool isWhitespaceOrNewline(char32_t c);

QStringView trimNewlines(QStringView s);
QStringView trimWhitespace(QStringView s);
QStringView trimWhitespaceAndNewlines(QStringView s);

// Nothing left once whitespace and newlines are trimmed from both ends.
bool isBlank(QStringView s);

} // namespace CharacterSets
