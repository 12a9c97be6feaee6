// SPDX-License-Identifier: MIT
#pragma once

#include <QScrollArea>

struct AnalysisResult;

// The column of cards for one analysis. It scrolls vertically only; texts wrap instead.
// The column is sized here by height for width, which QScrollArea's own resizing ignores.
class ResultsView final : public QScrollArea {
    Q_OBJECT

public:
    explicit ResultsView(QWidget* parent = nullptr);

    // Builds the cards afresh, so no copy confirmation carries over, and shows them from the top.
    void setResult(const AnalysisResult& result);

    // As tall as the whole column, so the panel gives it all the room the cards need.
    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void fitContent();

    int m_contentHeight = 0;
};
