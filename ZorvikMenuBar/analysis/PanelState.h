// SPDX-License-Identifier: MIT
#pragma once

#include "analysis/AnalysisOutcome.h"
#include "analysis/AnalysisResult.h"

#include <QString>

#include <optional>

// Everything the panel shows and edits, free of widgets so the analysis runs without them.
struct PanelState {
    QString otherMsg;
    QString myNote;
    std::optional<AnalysisResult> result;
    bool loading = false;
    std::optional<QString> errorMsg;
    QString myRole = QStringLiteral("员工");
    QString otherRole = QStringLiteral("领导");
    QString industry = QStringLiteral("other");
};

// Ends a running analysis: loading goes false first, then the error line or the parsed result.
void applyOutcome(PanelState& state, const AnalysisOutcome& outcome);
