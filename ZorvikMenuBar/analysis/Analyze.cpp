// SPDX-License-Identifier: MIT
#include "analysis/Analyze.h"

#include "analysis/AnalysisClient.h"
#include "analysis/ComposeMessage.h"
#include "analysis/EncodeBody.h"

void analyze(PanelState& state, AnalysisClient& client, QObject* context,
             std::function<void()> onChange)
{
    const QString message = composeMessage(state.otherMsg, state.myNote);
    if (message.isEmpty())
        return;
    const QByteArray body = encodeBody(state.myRole, state.otherRole, message, state.industry);

    state.loading = true;
    state.errorMsg.reset();
    state.result.reset();
    onChange();

    client.post(body, context, [&state, onChange](const AnalysisOutcome& outcome) {
        applyOutcome(state, outcome);
        onChange();
    });
}
