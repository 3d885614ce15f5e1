#pragma once

#include <string>

#include "modal_driver.h"
#include "win_types.h"

// What a person taps on the stylus pads, queued for their next modal runs.
namespace pads {

// A keypad run that presses the keys for `keys` (digits and ".") and ends with `end`.
void QueueKeypad(ModalDriver& driver, const std::string& keys, int end = IDOK);

// A keyboard run that presses the key of each character of `text` and ends with `end`.
void QueueKeyboard(ModalDriver& driver, const std::u16string& text, int end = IDOK);

}  // namespace pads
