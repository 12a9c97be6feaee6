// SPDX-License-Identifier: MIT
#include "analysis/AnalysisResult.h"

ReplyItem::ReplyItem(QString letter, QString kind, QString text, QString tactic)
    : letter(std::move(letter))
    , kind(std::move(kind))
    , text(std::move(text))
    , tactic(std::move(tactic))
    , m_id(QUuid::createUuid())
{}
