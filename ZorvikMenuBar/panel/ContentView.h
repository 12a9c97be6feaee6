// SPDX-License-Identifier: MIT
#pragma once

#include "analysis/PanelState.h"

#include <QWidget>

class AnalysisClient;
class FormEditor;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class ResultsView;

// The popover's whole content: the form that edits the panel's state, the start button, the
// error line and the results. It outlives every closing of the popover, so a running analysis
// always has a panel to land in.
class ContentView final : public QWidget {
    Q_OBJECT

public:
    explicit ContentView(AnalysisClient& client, QWidget* parent = nullptr);

    const PanelState& state() const { return m_state; }
    void analyze();

protected:
    void changeEvent(QEvent* event) override;

private:
    QLayout* headerRow();
    QLayout* rolesRow();
    QLayout* editorsRows();
    QLayout* startRow();
    void pasteClipboard();
    void applyColours();
    void render();

    AnalysisClient& m_client;
    PanelState m_state;

    QLabel* m_title = nullptr;
    QLineEdit* m_myRole = nullptr;
    QLineEdit* m_otherRole = nullptr;
    QComboBox* m_industry = nullptr;
    QLabel* m_otherMsgLabel = nullptr;
    QPushButton* m_paste = nullptr;
    FormEditor* m_otherMsg = nullptr;
    QLabel* m_myNoteLabel = nullptr;
    FormEditor* m_myNote = nullptr;
    QPushButton* m_start = nullptr;
    QLabel* m_error = nullptr;
    ResultsView* m_results = nullptr;
};
