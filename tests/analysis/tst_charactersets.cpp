// SPDX-License-Identifier: MIT
#include "analysis/CharacterSets.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestCharacterSets final : public QObject {
    Q_OBJECT

private slots:
    void membership_data();
    void membership();
    void trimming_data();
    void trimming();
};

void TestCharacterSets::membership_data()
{
    QTest::addColumn<uint>("c");
    QTest::addColumn<bool>("newline");
    QTest::addColumn<bool>("whitespace");

    QTest::addRow("tab") << 0x09u << false << true;
    QTest::addRow("line feed") << 0x0Au << true << false;
    QTest::addRow("vertical tab") << 0x0Bu << true << false;
    QTest::addRow("form feed") << 0x0Cu << true << false;
    QTest::addRow("carriage return") << 0x0Du << true << false;
    QTest::addRow("space") << 0x20u << false << true;
    QTest::addRow("next line") << 0x85u << true << false;
    QTest::addRow("no-break space") << 0xA0u << false << true;
    QTest::addRow("ogham space mark") << 0x1680u << false << true;
    QTest::addRow("em space") << 0x2003u << false << true;
    QTest::addRow("narrow no-break space") << 0x202Fu << false << true;
    QTest::addRow("line separator") << 0x2028u << true << false;
    QTest::addRow("paragraph separator") << 0x2029u << true << false;
    QTest::addRow("ideographic space") << 0x3000u << false << true;
    QTest::addRow("zero width space is format, not space") << 0x200Bu << false << false;
    QTest::addRow("byte order mark") << 0xFEFFu << false << false;
    QTest::addRow("information separator") << 0x1Fu << false << false;
    QTest::addRow("letter") << uint(u'a') << false << false;
    QTest::addRow("lone surrogate") << 0xD800u << false << false;
}

void TestCharacterSets::membership()
{
    QFETCH(uint, c);
    QFETCH(bool, newline);
    QFETCH(bool, whitespace);
    QCOMPARE(CharacterSets::isNewline(c), newline);
    QCOMPARE(CharacterSets::isWhitespace(c), whitespace);
    QCOMPARE(CharacterSets::isWhitespaceOrNewline(c), newline || whitespace);
}

void TestCharacterSets::trimming_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("newlines");
    QTest::addColumn<QString>("whitespace");
    QTest::addColumn<QString>("both");

    QTest::addRow("empty") << u""_s << u""_s << u""_s << u""_s;
    QTest::addRow("mixed ends") << u"\r\n\u3000 甲 乙\t\u2029"_s << u"\u3000 甲 乙\t"_s
                                << u"\r\n\u3000 甲 乙\t\u2029"_s << u"甲 乙"_s;
    QTest::addRow("inner characters stay")
        << u"甲\n \t乙"_s << u"甲\n \t乙"_s << u"甲\n \t乙"_s << u"甲\n \t乙"_s;
    QTest::addRow("only set members")
        << u" \n\u3000\u0085"_s << u" \n\u3000"_s << u"\n\u3000\u0085"_s << u""_s;
    QTest::addRow("surrogate pair at the ends") << u"\n👍 \n"_s << u"👍 "_s << u"\n👍 \n"_s << u"👍"_s;
}

void TestCharacterSets::trimming()
{
    QFETCH(QString, input);
    QFETCH(QString, newlines);
    QFETCH(QString, whitespace);
    QFETCH(QString, both);
    QCOMPARE(CharacterSets::trimNewlines(input).toString(), newlines);
    QCOMPARE(CharacterSets::trimWhitespace(input).toString(), whitespace);
    QCOMPARE(CharacterSets::trimWhitespaceAndNewlines(input).toString(), both);
    QCOMPARE(CharacterSets::isBlank(input), both.isEmpty());
}

QTEST_GUILESS_MAIN(TestCharacterSets)
#include "tst_charactersets.moc"
