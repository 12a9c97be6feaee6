// SPDX-License-Identifier: MIT
#include "analysis/PanelState.h"

#include "analysis/ParseResult.h"

void applyOutcome(PanelState& state, const AnalysisOutcome& outcome)
{
    state.loading = false;
    switch (outcome.kind) {
    case AnalysisOutcome::Kind::TransportFailure:
    case AnalysisOutcome::Kind::MalformedAnswer:
    case AnalysisOutcome::Kind::ServiceError:
        state.errorMsg = outcome.text;
        break;
    case AnalysisOutcome::Kind::Analysis:
        state.result = parseResult(outcome.text);
        break;
    case AnalysisOutcome::Kind::EmptyAnswer:
        break;
    }
}
