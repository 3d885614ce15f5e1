#pragma once

#include <string>

#include "win_types.h"

// A modal message box titled with the application's name; returns IDOK or IDCANCEL. `details`,
// when given, is shown below the text in a scrolling area of bounded height, open from the
// start, whose lines can be selected and copied: however long it is, the box fits the screen.
int AfxMessageBox(const std::u16string& text, UINT type = MB_OK,
                  const std::u16string& details = {});
