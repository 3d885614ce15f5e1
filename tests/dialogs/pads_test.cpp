#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <QString>

#include "key_tables.h"
#include "keyboard_dlg.h"
#include "keypad_dlg.h"
#include "modal_driver.h"
#include "number_text.h"
#include "resource.h"
#include "ui.h"
#include "utf8.h"

// What the two stylus pads share: how a run ends, what Enter and Escape do, and typing into
// the display. One table of both pads, so the two can never drift apart.

namespace {

struct Pad {
    const char* name;
    UINT templateId;
    int displayId;
    int key;  // a key to tap before ending the run
    std::function<std::unique_ptr<CDialog>()> make;
    // The pad's answer after OK, as text.
    std::function<std::u16string(const CDialog&)> answer;
};

const Pad kPads[] = {
    {"keypad", IDD_KEYPAD, IDC_KEYPAD_DISPLAY, kKeypadKeys[7].id,
     [] { return std::make_unique<CKeypadDlg>(); },
     [](const CDialog& d) {
         return Utf8ToUtf16(FormatShortest(static_cast<const CKeypadDlg&>(d).GetValue()));
     }},
    {"keyboard", IDD_KEYBOARD, IDC_KEYBOARD_DISPLAY, kKeyboardKeys[7].id,
     [] { return std::make_unique<CKeyboardDlg>(); },
     [](const CDialog& d) { return static_cast<const CKeyboardDlg&>(d).GetText(); }},
};

}  // namespace

TEST(Pads, CancelAndEscapeEndWithoutAnAnswer) {
    for (const Pad& pad : kPads) {
        for (const bool byEscape : {false, true}) {
            SCOPED_TRACE(std::string(pad.name) + (byEscape ? ", Escape" : ", Cancel button"));
            ModalDriver driver;
            std::unique_ptr<CDialog> dlg = pad.make();
            driver.OnDialog(pad.templateId, [&](CDialog& d) {
                ui::Click(d, pad.key);
                byEscape ? ui::Key(d, Qt::Key_Escape) : ui::Click(d, IDCANCEL);
            });
            EXPECT_EQ(dlg->DoModal(), IDCANCEL);
        }
    }
}

TEST(Pads, EnterIsOkUnlessCancelHasTheFocus) {
    struct Row {
        const char* name;
        int focus;  // 0: the pad's display
        int result;
    };
    for (const Pad& pad : kPads) {
        for (const Row& row :
             {Row{"OK focused", IDOK, IDOK}, Row{"Cancel focused", IDCANCEL, IDCANCEL},
              Row{"a key focused", -1, IDOK}, Row{"display focused", 0, IDOK}}) {
            SCOPED_TRACE(std::string(pad.name) + ", " + row.name);
            ModalDriver driver;
            std::unique_ptr<CDialog> dlg = pad.make();
            driver.OnDialog(pad.templateId, [&](CDialog& d) {
                ui::ClickFocus(d, row.focus == 0    ? pad.displayId
                                  : row.focus == -1 ? pad.key
                                                    : row.focus);
                ui::Key(d, Qt::Key_Return);
            });
            EXPECT_EQ(dlg->DoModal(), row.result);
        }
    }
}

TEST(Pads, TextTypedIntoTheDisplayStandsWhenOkFollows) {
    for (const Pad& pad : kPads) {
        SCOPED_TRACE(pad.name);
        ModalDriver driver;
        std::unique_ptr<CDialog> dlg = pad.make();
        driver.OnDialog(pad.templateId, [&](CDialog& d) {
            ui::Click(d, pad.key);
            // As a person replaces it: tap into the display, select all, type.
            ui::ClickFocus(d, pad.displayId);
            ui::Key(d, Qt::Key_A, Qt::ControlModifier);
            ui::Type(d, "3.25");
            EXPECT_EQ(ui::QText(d, pad.displayId), "3.25") << "typing pressed no key";
            ui::Click(d, IDOK);
        });
        EXPECT_EQ(dlg->DoModal(), IDOK);
        EXPECT_EQ(pad.answer(*dlg), u"3.25");
    }
}
