#pragma once

#include <string>

#include "win_types.h"

// A modal message box titled with the application's name; returns IDOK or IDCANCEL.
int AfxMessageBox(const std::u16string& text, UINT type = MB_OK);
