// SPDX-License-Identifier: MIT
#pragma once

#include "RequestValidation.h"
#include "analysis/AnalysisResult.h"

#include <QJsonArray>
#include <QString>

// Chat messages for the first attempt: the system prompt fixes the text format the app's
// parser reads; the user message is the app's message as sent.
QJsonArray analysisMessages(const AnalysisRequest& request);

// The answer is unusable to the app without the hidden meaning or without any reply.
bool isUsable(const AnalysisResult& result);

// The first attempt's exchange extended by the model's answer and a note on what it lacked.
QJsonArray withCorrection(QJsonArray messages, const QString& answer, const AnalysisResult& parsed);
