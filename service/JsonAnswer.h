// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <string>

// Every answer of the service is one of these two compact objects.
std::string resultJson(const QString& result);
std::string errorJson(const QString& error);
