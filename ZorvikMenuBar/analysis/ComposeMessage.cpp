// SPDX-License-Identifier: MIT
#include "analysis/ComposeMessage.h"

#include "analysis/CharacterSets.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

QString composeMessage(const QString& otherMsg, const QString& myNote)
{
    QStringList sections;
    const QStringView received = CharacterSets::trimWhitespaceAndNewlines(otherMsg);
    if (!received.isEmpty())
        sections.append(u"对方发来的消息：\n"_s + received.toString());
    const QStringView note = CharacterSets::trimWhitespaceAndNewlines(myNote);
    if (!note.isEmpty())
        sections.append(u"我的想法（这不是对话内容，是我想表达的真实意思）：\n"_s +
                        note.toString());
    return sections.join(u"\n\n"_s);
}
