#pragma once

// Dates as HTTP headers carry them ("Sun, 06 Nov 1994 08:49:37 GMT").

#include <ctime>
#include <string>

std::string FormatHttpDate(std::time_t moment);
