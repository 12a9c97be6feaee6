// SPDX-License-Identifier: MIT
#include "panel/ReplyCard.h"

#include "panel/Card.h"
#include "panel/CopyPill.h"
#include "panel/SystemColors.h"
#include "panel/TextBlock.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QTimer>
#include <QVBoxLayout>

#include <chrono>

using namespace Qt::Literals::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr auto confirmationTime = 1500ms;

QColor secondary(const QPalette& palette)
{
    return SystemColors::secondaryText(palette);
}

QColor primary(const QPalette& palette)
{
    return SystemColors::primaryText(palette);
}

} // namespace

ReplyCard::ReplyCard(ReplyItem reply, QWidget* parent)
    : QFrame(parent)
    , m_reply(std::move(reply))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 10, 10, 10);
    column->setSpacing(4);

    auto* header = new QHBoxLayout;
    header->setSpacing(8);
    auto* title = new TextBlock(m_reply.letter + u" · "_s + m_reply.kind,
                                panelFont(12, QFont::DemiBold), 0, SystemColors::orange, this);
    m_copy = new CopyPill(this);
    connect(m_copy, &QAbstractButton::clicked, this, &ReplyCard::copy);
    header->addWidget(title, 1, Qt::AlignVCenter);
    header->addWidget(m_copy, 0, Qt::AlignVCenter);
    column->addLayout(header);

    auto* text = new TextBlock(m_reply.text, panelFont(13), 5, primary, this);
    text->setSelectable(true);
    column->addWidget(text);

    if (!m_reply.tactic.isEmpty()) {
        column->addWidget(
            new TextBlock(u"💡 "_s + m_reply.tactic, panelFont(11), 0, secondary, this));
    }
}

void ReplyCard::paintEvent(QPaintEvent*)
{
    paintCardBackground(*this, 0.05);
}

void ReplyCard::copy()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(m_reply.text);
    setCopied(true);
    // Each press has its own reset; the card as context drops it if the card is gone.
    QTimer::singleShot(confirmationTime, this, [this] { setCopied(false); });
}

void ReplyCard::setCopied(bool copied)
{
    m_copied = copied;
    m_copy->showCopied(copied);
}
