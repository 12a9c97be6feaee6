// SPDX-License-Identifier: MIT
#pragma once

#include "analysis/AnalysisResult.h"

#include <QJsonObject>

// The development tools' JSON view of a result: optional fields only when present, replies
// always, each with its id.
QJsonObject resultToJson(const AnalysisResult& result);
