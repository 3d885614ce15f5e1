#pragma once

#include <string>

#include "log_record.h"

// The whole text SaveLog writes for `book`.
std::string FormatLogFile(const LogBook& book);
