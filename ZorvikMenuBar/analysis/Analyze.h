// SPDX-License-Identifier: MIT
#pragma once

#include "analysis/PanelState.h"

#include <functional>

class AnalysisClient;
class QObject;

// Starts one analysis of state's fields: the state turns Running at once and takes the outcome
// later; onChange follows each of the two changes. state must live as long as context, which
// should own it. With nothing to send it returns without touching anything.
void analyze(PanelState& state, AnalysisClient& client, QObject* context,
             std::function<void()> onChange);
