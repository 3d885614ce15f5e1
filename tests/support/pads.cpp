#include "pads.h"

#include <gtest/gtest.h>

#include "cdialog.h"
#include "key_tables.h"
#include "resource.h"
#include "ui.h"

namespace pads {

void QueueKeypad(ModalDriver& driver, const std::string& keys, int end) {
    driver.OnDialog(IDD_KEYPAD, [keys, end](CDialog& k) {
        // The keypad starts from its own 0, never from the field's value.
        EXPECT_EQ(ui::QText(k, IDC_KEYPAD_DISPLAY), "0");
        for (char c : keys) {
            ASSERT_TRUE(c == '.' || (c >= '0' && c <= '9')) << "no keypad key types " << c;
            ui::Click(k, c == '.' ? IDC_KEY_POINT : kKeypadKeys[static_cast<size_t>(c - '0')].id);
        }
        ui::Click(k, end);
    });
}

void QueueKeyboard(ModalDriver& driver, const std::u16string& text, int end) {
    driver.OnDialog(IDD_KEYBOARD, [text, end](CDialog& k) {
        EXPECT_EQ(ui::QText(k, IDC_KEYBOARD_DISPLAY), "");
        for (char16_t ch : text) {
            int id = 0;
            for (const PadKey& key : kKeyboardKeys) {
                id = key.ch == ch ? key.id : id;
            }
            ASSERT_NE(id, 0) << "no key types " << static_cast<int>(ch);
            ui::Click(k, id);
        }
        ui::Click(k, end);
    });
}

}  // namespace pads
