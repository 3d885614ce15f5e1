#pragma once

#include <string>
#include <vector>

#include "log_import.h"

// The answers an import question can have, as the preview offers them, and what each means for
// the import's options.
std::vector<std::u16string> AnswersTo(const ImportQuestion& question);
void Answer(const ImportQuestion& question, int answer, ImportOptions& options);
