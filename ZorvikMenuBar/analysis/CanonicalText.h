// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// The parser's view of an answer: markers are matched by canonical equivalence and on
// cluster boundaries, while every value is cut from the answer's own characters.
// Positions are in the matching text; original() maps them back.
class CanonicalText final {
public:
    explicit CanonicalText(const QString& text);

    qsizetype find(QStringView marker, qsizetype from) const;
    qsizetype findLineFeed(qsizetype from) const;

    QStringView original(qsizetype begin, qsizetype end) const;
    QStringView originalFrom(qsizetype begin) const;

private:
    qsizetype toOriginal(qsizetype pos) const;

    QStringView m_original;
    QString m_matching;
    // Positions in the matching text of characters that stand for a surrogate pair of the
    // original; empty in the common case, where both texts are the same.
    std::vector<qsizetype> m_shrunk;
};
