// SPDX-License-Identifier: MIT
#include "panel/ContentView.h"

#include "analysis/Analyze.h"
#include "analysis/CharacterSets.h"
#include "panel/FormEditor.h"
#include "panel/ResultsView.h"
#include "panel/SystemColors.h"

#include <QApplication>
#include <QBoxLayout>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int panelWidth = 420;
constexpr int sideMargin = 14;
// The reference desktop's standard gap between siblings; Qt's would vary by style.
constexpr int defaultSpacing = 8;

struct Industry {
    QString shown;
    QString value;
};

const std::array<Industry, 3>& industries()
{
    static const std::array<Industry, 3> list{{
        {u"体制内"_s, u"state"_s},
        {u"大厂"_s, u"tech"_s},
        {u"私企"_s, u"other"_s},
    }};
    return list;
}

QFont fontOf(int pixelSize, QFont::Weight weight = QFont::Normal)
{
    QFont font = QApplication::font();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

QLabel* label(const QString& text, int pixelSize, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    l->setFont(fontOf(pixelSize));
    return l;
}

QLineEdit* roleField(const QString& placeholder, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setPlaceholderText(placeholder);
    field->setAccessibleName(placeholder);
    field->setFixedWidth(70);
    field->setFont(fontOf(12));
    return field;
}

QString cssColour(const QColor& c)
{
    return u"rgba(%1, %2, %3, %4)"_s.arg(c.red()).arg(c.green()).arg(c.blue()).arg(c.alpha());
}

void setTextColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace

ContentView::ContentView(AnalysisClient& client, QWidget* parent)
    : QWidget(parent)
    , m_client(client)
{
    setFixedWidth(panelWidth);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    root->addLayout(headerRow());
    root->addLayout(rolesRow());
    root->addLayout(editorsRows());
    root->addLayout(startRow());

    m_error = label(QString(), 12, this);
    m_error->setWordWrap(true);
    m_error->setContentsMargins(sideMargin, 0, sideMargin, 0);
    m_error->setTextInteractionFlags(Qt::TextSelectableByMouse);
    root->addWidget(m_error);

    m_results = new ResultsView(this);
    root->addWidget(m_results);

    root->addStretch(1);

    applyColours();
    render();
}

QLayout* ContentView::headerRow()
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(sideMargin, 12, sideMargin, 8);
    row->setSpacing(defaultSpacing);
    m_title = label(u"🏀 言鹿"_s, 14, this);
    m_title->setFont(fontOf(14, QFont::Bold));
    row->addWidget(m_title);
    row->addStretch(1);
    return row;
}

QLayout* ContentView::rolesRow()
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(sideMargin, 0, sideMargin, 8);
    row->setSpacing(6);

    m_myRole = roleField(u"员工"_s, this);
    connect(m_myRole, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_state.myRole = text;
        render();
    });
    m_otherRole = roleField(u"领导"_s, this);
    connect(m_otherRole, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_state.otherRole = text;
        render();
    });

    m_industry = new QComboBox(this);
    m_industry->setFixedWidth(70);
    m_industry->setFont(fontOf(12));
    m_industry->setAccessibleName(u"行业"_s);
    for (const Industry& industry : industries()) {
        m_industry->addItem(industry.shown, industry.value);
    }
    connect(m_industry, &QComboBox::activated, this, [this](int index) {
        m_state.industry = m_industry->itemData(index).toString();
        render();
    });

    row->addWidget(label(u"我是"_s, 11, this));
    row->addWidget(m_myRole);
    row->addWidget(label(u"对方是"_s, 11, this));
    row->addWidget(m_otherRole);
    row->addStretch(1);
    row->addWidget(m_industry);
    return row;
}

QLayout* ContentView::editorsRows()
{
    auto* column = new QVBoxLayout;
    column->setContentsMargins(sideMargin, 0, sideMargin, 0);
    column->setSpacing(4);

    auto* messageHeader = new QHBoxLayout;
    messageHeader->setSpacing(defaultSpacing);
    m_otherMsgLabel = label(u"对方发的消息"_s, 10, this);
    m_paste = new QPushButton(u"📋 粘贴剪贴板"_s, this);
    m_paste->setFlat(true);
    m_paste->setFont(fontOf(10));
    m_paste->setCursor(Qt::PointingHandCursor);
    m_paste->setFocusPolicy(Qt::TabFocus);
    m_paste->setAccessibleName(m_paste->text());
    // A flat button still pads itself like a push button; the form wants bare text.
    m_paste->setStyleSheet(u"QPushButton { border: none; padding: 0px; }"_s);
    connect(m_paste, &QPushButton::clicked, this, &ContentView::pasteClipboard);
    messageHeader->addWidget(m_otherMsgLabel);
    messageHeader->addStretch(1);
    messageHeader->addWidget(m_paste);

    m_otherMsg = new FormEditor(50, this);
    m_otherMsg->setFont(fontOf(13));
    m_otherMsg->setAccessibleName(m_otherMsgLabel->text());
    connect(m_otherMsg, &FormEditor::edited, this, [this](const QString& text) {
        m_state.otherMsg = text;
        render();
    });

    m_myNoteLabel = label(u"我想回复的意思"_s, 10, this);
    m_myNote = new FormEditor(40, this);
    m_myNote->setFont(fontOf(13));
    m_myNote->setAccessibleName(m_myNoteLabel->text());
    connect(m_myNote, &FormEditor::edited, this, [this](const QString& text) {
        m_state.myNote = text;
        render();
    });

    column->addLayout(messageHeader);
    column->addWidget(m_otherMsg);
    column->addWidget(m_myNoteLabel);
    column->addWidget(m_myNote);
    return column;
}

QLayout* ContentView::startRow()
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(sideMargin, 8, sideMargin, 8);
    row->setSpacing(defaultSpacing);
    m_start = new QPushButton(this);
    m_start->setFixedSize(90, 28);
    // A click leaves the focus where the user was typing.
    m_start->setFocusPolicy(Qt::TabFocus);
    m_start->setFont(fontOf(13, QFont::Medium));
    connect(m_start, &QPushButton::clicked, this, &ContentView::analyze);
    row->addStretch(1);
    row->addWidget(m_start);
    return row;
}

void ContentView::analyze()
{
    ::analyze(m_state, m_client, this, [this] { render(); });
}

void ContentView::pasteClipboard()
{
    // QClipboard::text() is empty when there is no plain text, which empties the editor.
    m_state.otherMsg = QGuiApplication::clipboard()->text();
    render();
}

void ContentView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        applyColours();
    }
}

void ContentView::applyColours()
{
    const QPalette& p = palette();
    setTextColour(m_title, QPalette::WindowText, SystemColors::orange(p));
    setTextColour(m_otherMsgLabel, QPalette::WindowText, SystemColors::secondaryText(p));
    setTextColour(m_myNoteLabel, QPalette::WindowText, SystemColors::secondaryText(p));
    setTextColour(m_paste, QPalette::ButtonText, SystemColors::blue(p));
    setTextColour(m_error, QPalette::WindowText, SystemColors::red(p));
    QColor border = SystemColors::gray(p);
    border.setAlphaF(0.2f);
    m_otherMsg->setBorderColour(border);
    m_myNote->setBorderColour(border);

    // Accent-filled; when disabled a faint gray fill keeps it recognisable as a button.
    QColor disabledFill = SystemColors::gray(p);
    disabledFill.setAlphaF(0.2f);
    m_start->setStyleSheet(
        u"QPushButton { background: %1; color: %2; border: none; border-radius: 5px; }"
        "QPushButton:pressed { background: %3; }"
        "QPushButton:disabled { background: %4; color: %5; }"_s.arg(
            cssColour(p.color(QPalette::Highlight)), cssColour(p.color(QPalette::HighlightedText)),
            cssColour(p.color(QPalette::Highlight).darker(115)), cssColour(disabledFill),
            cssColour(SystemColors::primaryText(p, 0.3))));
}

void ContentView::render()
{
    if (m_myRole->text() != m_state.myRole) {
        m_myRole->setText(m_state.myRole);
    }
    if (m_otherRole->text() != m_state.otherRole) {
        m_otherRole->setText(m_state.otherRole);
    }
    m_industry->setCurrentIndex(m_industry->findData(m_state.industry));
    m_otherMsg->showText(m_state.otherMsg);
    m_myNote->showText(m_state.myNote);

    m_start->setText(m_state.loading ? u"分析中…"_s : u"开始分析"_s);
    const bool startEnabled = !m_state.loading && (!CharacterSets::isBlank(m_state.otherMsg) ||
                                                   !CharacterSets::isBlank(m_state.myNote));
    // Qt would hand the focus of a disabled button to the first role field, all selected, where
    // the next keystroke would replace the role.
    if (!startEnabled && m_start->hasFocus()) {
        m_otherMsg->setFocus();
    }
    m_start->setEnabled(startEnabled);

    m_error->setVisible(m_state.errorMsg.has_value());
    m_error->setText(m_state.errorMsg.value_or(QString()));

    // analyze() clears the result first, so a result found while the view is hidden is a new
    // one: only then are the cards rebuilt, keeping a confirmation alive across edits.
    if (m_state.result && m_results->isHidden()) {
        m_results->setResult(*m_state.result);
    }
    m_results->setVisible(m_state.result.has_value());
}
