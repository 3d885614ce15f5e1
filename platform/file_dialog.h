#pragma once

#include <string>

// Asks the user for a file to read or to write, in a file dialog owned by the innermost running
// dialog; returns its host path (UTF-8), or an empty string when the user cancelled. `filter` is
// the dialog's filter text ("CSV files (*.csv)"); `proposed` the path it starts with.
enum class FileChoice { Open, Save };
std::string AfxChooseFile(FileChoice choice, const std::u16string& title,
                          const std::u16string& filter, const std::string& proposed);
