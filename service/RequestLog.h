// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

// One line per request. Messages and model answers are private: only figures go in.
std::string requestLogLine(std::chrono::system_clock::time_point at, int status,
                           std::chrono::microseconds duration, std::size_t requestBytes,
                           std::size_t responseBytes);
