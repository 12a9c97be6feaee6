// SPDX-License-Identifier: MIT
#pragma once

#include "analysis/AnalysisResult.h"

#include <QFrame>

class CopyPill;

// One suggested reply with a copy button that confirms for a moment after each press.
class ReplyCard final : public QFrame {
    Q_OBJECT

public:
    explicit ReplyCard(ReplyItem reply, QWidget* parent = nullptr);

    const ReplyItem& reply() const { return m_reply; }
    bool copied() const { return m_copied; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void copy();
    void setCopied(bool copied);

    ReplyItem m_reply;
    bool m_copied = false;
    CopyPill* m_copy = nullptr;
};
