#include <gtest/gtest.h>

#include <set>

#include "key_tables.h"
#include "resource.h"
#include "template_lookup.h"

namespace {

// The twelve keys: the ten digits, the point and Clear.
std::vector<const ControlTemplate*> KeypadKeys() {
    std::vector<const ControlTemplate*> keys;
    for (const ControlTemplate& c : TemplateOf(IDD_KEYPAD).controls) {
        if (c.cls == ControlClass::Button && c.id != IDOK && c.id != IDCANCEL) {
            keys.push_back(&c);
        }
    }
    return keys;
}

TEST(KeypadKeys, MapEachDigitToItsKeyThenThePoint) {
    const int expectedIds[10] = {1014, 1001, 1002, 1003, 1005, 1006, 1007, 1008, 1009, 1010};
    for (int d = 0; d < kKeypadDigitCount; ++d) {
        EXPECT_EQ(kKeypadKeys[d].ch, u'0' + d);
        EXPECT_EQ(kKeypadKeys[d].id, expectedIds[d]) << "digit " << d;
    }
    EXPECT_EQ(kKeypadKeys[kKeypadDigitCount].id, IDC_KEY_POINT);
    EXPECT_EQ(kKeypadKeys[kKeypadDigitCount].ch, u'.');
}

TEST(KeypadKeys, NeverUseTheDisplayOrClearIds) {
    std::set<int> ids;
    for (const PadKey& key : kKeypadKeys) {
        EXPECT_TRUE(ids.insert(key.id).second) << key.id;
    }
    for (int other : {IDOK, IDCANCEL, IDC_KEYPAD_DISPLAY, IDC_KEY_CLEAR}) {
        EXPECT_EQ(ids.count(other), 0u) << other;
    }
}

TEST(KeypadTemplate, LabelsEachKeyWithWhatItTypes) {
    for (const PadKey& key : kKeypadKeys) {
        EXPECT_EQ(ControlOf(IDD_KEYPAD, key.id).text, std::u16string(1, key.ch)) << key.id;
    }
    EXPECT_EQ(ControlOf(IDD_KEYPAD, IDC_KEY_CLEAR).text, u"Clear");
}

TEST(KeypadTemplate, KeysAreRaisedTabStopSquares) {
    const std::vector<const ControlTemplate*> keys = KeypadKeys();
    ASSERT_EQ(keys.size(), 12u);
    for (const ControlTemplate* key : keys) {
        EXPECT_EQ(key->cx, 25);
        EXPECT_EQ(key->cy, 25);
        EXPECT_EQ(key->style, BS_PUSHBUTTON | WS_TABSTOP);
        EXPECT_EQ(key->exStyle, WS_EX_STATICEDGE | WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME);
    }
}

TEST(KeypadTemplate, KeysFormACalculatorGrid) {
    struct Place {
        int id, x, y;
    };
    const Place places[] = {
        {1008, 7, 26},  {1009, 31, 26}, {1010, 57, 26},  {1005, 7, 51},
        {1006, 31, 51}, {1007, 57, 51}, {1001, 7, 77},   {1002, 31, 77},
        {1003, 57, 77}, {1014, 7, 102}, {1011, 31, 102}, {1012, 57, 102},
    };
    for (const Place& place : places) {
        const ControlTemplate& c = ControlOf(IDD_KEYPAD, place.id);
        EXPECT_EQ(c.x, place.x) << place.id;
        EXPECT_EQ(c.y, place.y) << place.id;
    }
}

TEST(KeypadTemplate, KeysShareAtMostABorderAndMissTheOtherControls) {
    const std::vector<const ControlTemplate*> keys = KeypadKeys();
    for (size_t i = 0; i < keys.size(); ++i) {
        for (size_t j = i + 1; j < keys.size(); ++j) {
            EXPECT_LE(OverlapDepth(*keys[i], *keys[j]), 1) << keys[i]->id << "/" << keys[j]->id;
        }
        for (int other : {IDOK, IDCANCEL, IDC_KEYPAD_DISPLAY}) {
            EXPECT_LE(OverlapDepth(*keys[i], ControlOf(IDD_KEYPAD, other)), 0) << keys[i]->id;
        }
    }
}

TEST(KeypadTemplate, DisplayIsAnEditableRightAlignedTabStop) {
    const ControlTemplate& display = ControlOf(IDD_KEYPAD, IDC_KEYPAD_DISPLAY);
    EXPECT_EQ(display.cls, ControlClass::Edit);
    EXPECT_EQ(display.style, ES_RIGHT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP);
    EXPECT_EQ(display.accessibleName, u"Keypad display");
}

}  // namespace
