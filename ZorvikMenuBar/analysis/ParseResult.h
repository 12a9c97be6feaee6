// SPDX-License-Identifier: MIT
#pragma once

#include "analysis/AnalysisResult.h"

#include <QString>

// Reads the service's free-form answer. Total: any input gives a result, missing or
// malformed pieces are simply left out.
AnalysisResult parseResult(const QString& text);
