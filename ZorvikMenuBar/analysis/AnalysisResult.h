// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

// One suggested reply. The id is made here and nowhere else, so two replies with equal
// texts are still two list entries; a copy keeps its id.
class ReplyItem final {
public:
    ReplyItem(QString letter, QString kind, QString text, QString tactic);

    const QUuid& id() const { return m_id; }

    QString letter;
    QString kind;
    QString text;
    QString tactic; // empty when the reply has none

private:
    QUuid m_id;
};

// Built field-wise with designated initializers; the default member initializers let any
// field be left out without a missing-initializer warning.
struct AnalysisResult {
    std::optional<QString> subtext = {};
    std::optional<QString> profileType = {};
    std::optional<QString> profileLogic = {};
    QList<ReplyItem> replies = {};
    std::optional<QString> miji = {};
};
