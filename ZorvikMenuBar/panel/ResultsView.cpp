// SPDX-License-Identifier: MIT
#include "panel/ResultsView.h"

#include "analysis/AnalysisResult.h"
#include "panel/Card.h"
#include "panel/ReplyCard.h"
#include "panel/SystemColors.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// A hairline in the text colour, so it stays faint in both themes.
class Divider final : public QWidget {
public:
    explicit Divider(QWidget* parent = nullptr)
        : QWidget(parent)
    {
        setFixedHeight(1);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), SystemColors::primaryText(palette(), 0.15));
    }
};

QWidget* heading(QWidget* parent)
{
    auto* label = new QLabel(u"回复方案"_s, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(panelFont(13, QFont::Bold));
    label->setContentsMargins(0, 4, 0, 0);
    return label;
}

QString profileLine(const AnalysisResult& result)
{
    return u'[' + *result.profileType + u"] "_s + result.profileLogic.value_or(QString());
}

} // namespace

ResultsView::ResultsView(QWidget* parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAutoFillBackground(false);
}

void ResultsView::setResult(const AnalysisResult& result)
{
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(14, 0, 14, 20);
    column->setSpacing(8);

    column->addWidget(new Divider(content));
    if (result.subtext) {
        column->addWidget(card(u"🔍"_s, u"潜台词"_s, *result.subtext, content));
    }
    if (result.profileType) {
        column->addWidget(card(u"🧠"_s, u"对手画像"_s, profileLine(result), content));
    }
    column->addWidget(heading(content));
    for (const ReplyItem& reply : result.replies) {
        column->addWidget(new ReplyCard(reply, content));
    }
    if (result.miji) {
        column->addWidget(card(u"📖"_s, u"职场秘籍"_s, *result.miji, content));
    }
    column->addStretch(1);
    column->setSizeConstraint(QLayout::SetNoConstraint);

    // Replacing the widget deletes the previous cards with any confirmation still pending.
    setWidget(content);
    content->setAutoFillBackground(false);
    content->installEventFilter(this);
    fitContent();
    verticalScrollBar()->setValue(0);
}

QSize ResultsView::sizeHint() const
{
    return {QScrollArea::sizeHint().width(), m_contentHeight};
}

bool ResultsView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widget() && event->type() == QEvent::LayoutRequest) {
        fitContent();
    }
    return QScrollArea::eventFilter(watched, event);
}

bool ResultsView::viewportEvent(QEvent* event)
{
    // The scroll bar coming or going changes the width the texts wrap to.
    if (event->type() == QEvent::Resize) {
        fitContent();
    }
    return QScrollArea::viewportEvent(event);
}

void ResultsView::fitContent()
{
    QWidget* content = widget();
    if (content == nullptr) {
        return;
    }
    const int width = viewport()->width();
    const int height = content->heightForWidth(width);
    content->resize(width, std::max(height, viewport()->height()));
    if (height != m_contentHeight) {
        m_contentHeight = height;
        updateGeometry();
    }
}
