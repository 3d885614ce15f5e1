#pragma once

#include <string>

#include "log_import.h"

// The plan in plain text for the preview and --dry-run: what will be added, one line an entry,
// the rows already in the log, the repeats, the rows that look wrong, every row not placed with its
// line and why, the notes, the questions.
std::string ImportPreview(const ImportPlan& plan);
