#include <gtest/gtest.h>

#include <map>
#include <set>

#include "key_tables.h"
#include "resource.h"
#include "template_lookup.h"

namespace {

// The controls that are not row keys come first in the template.
constexpr size_t kControlsBeforeRows = 5;

std::vector<const ControlTemplate*> RowKeys() {
    std::vector<const ControlTemplate*> keys;
    const std::vector<ControlTemplate>& controls = TemplateOf(IDD_KEYBOARD).controls;
    for (size_t i = kControlsBeforeRows; i < controls.size(); ++i) {
        keys.push_back(&controls[i]);
    }
    return keys;
}

TEST(KeyboardKeys, AreFortyNineKeysWithUniqueIdsAndCharacters) {
    ASSERT_EQ(kKeyboardKeys.size(), 49u);
    std::set<int> ids;
    std::set<char16_t> chars;
    for (const PadKey& key : kKeyboardKeys) {
        EXPECT_TRUE(ids.insert(key.id).second) << key.id;
        EXPECT_TRUE(chars.insert(key.ch).second) << int(key.ch);
        EXPECT_GE(key.ch, u' ');
        EXPECT_LE(key.ch, u'~');
    }
    for (int other : {IDOK, IDCANCEL, IDC_KEYBOARD_DISPLAY, IDC_KEY_BACKSPACE}) {
        EXPECT_EQ(ids.count(other), 0u) << other;
    }
    EXPECT_EQ(ids.count(1060), 0u);
}

TEST(KeyboardKeys, SpaceBarComesLastAndTypesABlank) {
    EXPECT_EQ(kKeyboardKeys.back().id, IDC_KEY_SPACE);
    EXPECT_EQ(kKeyboardKeys.back().ch, char16_t{0x20});
}

TEST(KeyboardKeys, SpotChecks) {
    std::map<int, char16_t> byId;
    for (const PadKey& key : kKeyboardKeys) {
        byId[key.id] = key.ch;
    }
    EXPECT_EQ(byId.at(1046), char16_t{0x5C});  // the yen key types one backslash
    EXPECT_EQ(byId.at(1017), u'1');
    EXPECT_EQ(byId.at(1016), u'2');
    EXPECT_EQ(byId.at(1004), u'3');
    EXPECT_EQ(byId.at(1011), u'0');
    EXPECT_EQ(byId.at(1012), u'^');
    EXPECT_EQ(byId.at(1047), u'-');
    EXPECT_EQ(byId.at(1059), u'[');
    EXPECT_EQ(byId.at(1061), u'A');
    EXPECT_EQ(byId.at(1072), u']');
    EXPECT_EQ(byId.at(1080), u',');
    EXPECT_EQ(byId.at(1083), u'_');
}

TEST(KeyboardTemplate, StartsWithOkCancelDisplaySpaceAndBackspace) {
    const std::vector<ControlTemplate>& controls = TemplateOf(IDD_KEYBOARD).controls;
    ASSERT_EQ(controls.size(), kControlsBeforeRows + 48);
    EXPECT_EQ(controls[0].id, IDOK);
    EXPECT_EQ(controls[1].id, IDCANCEL);
    EXPECT_EQ(controls[2].id, IDC_KEYBOARD_DISPLAY);
    EXPECT_EQ(controls[2].accessibleName, u"Keyboard display");
    EXPECT_EQ(controls[2].style, ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP);
    EXPECT_EQ(controls[3].id, IDC_KEY_SPACE);
    EXPECT_EQ(controls[3].text, u"SPACE");
    EXPECT_EQ(controls[4].id, IDC_KEY_BACKSPACE);
    EXPECT_EQ(controls[4].text, u"BS");
}

TEST(KeyboardTemplate, RowKeysFollowTheKeyTableAndShowTheirCharacter) {
    const std::vector<const ControlTemplate*> keys = RowKeys();
    ASSERT_EQ(keys.size(), size_t(kKeyboardRowKeyCount));
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i]->id, kKeyboardKeys[i].id);
        ASSERT_EQ(keys[i]->text.size(), 1u) << keys[i]->id;
        EXPECT_EQ(keys[i]->text[0], kKeyboardKeys[i].ch);
        EXPECT_EQ(keys[i]->cls, ControlClass::Button);
        EXPECT_EQ(keys[i]->style, BS_PUSHBUTTON | WS_TABSTOP);
        EXPECT_EQ(keys[i]->cx, 13);
        EXPECT_EQ(keys[i]->cy, 14);
    }
}

TEST(KeyboardTemplate, RowsStandWhereTheLayoutPutsThem) {
    // Per row: its y, and the x of every key from left to right.
    std::map<int, std::vector<int>> rows;
    for (const ControlTemplate* key : RowKeys()) {
        rows[key->y].push_back(key->x);
    }
    const std::vector<int> top = {5, 18, 31, 44, 57, 70, 83, 96, 109, 122, 135, 148, 160};
    EXPECT_EQ(rows[42], top);
    ASSERT_EQ(rows[55].size(), 12u);
    EXPECT_EQ(rows[55].front(), 11);
    EXPECT_EQ(rows[55].back(), 154);
    ASSERT_EQ(rows[69].size(), 12u);
    EXPECT_EQ(rows[69].front(), 19);
    EXPECT_EQ(rows[69].back(), 162);
    ASSERT_EQ(rows[82].size(), 11u);
    EXPECT_EQ(rows[82].front(), 25);
    EXPECT_EQ(rows[82].back(), 155);
    EXPECT_EQ(rows.size(), 4u);
}

TEST(KeyboardTemplate, RowKeysShareAtMostABorderAndMissTheOtherControls) {
    const std::vector<const ControlTemplate*> keys = RowKeys();
    const std::vector<ControlTemplate>& controls = TemplateOf(IDD_KEYBOARD).controls;
    for (size_t i = 0; i < keys.size(); ++i) {
        for (size_t j = i + 1; j < keys.size(); ++j) {
            EXPECT_LE(OverlapDepth(*keys[i], *keys[j]), 1) << keys[i]->id << "/" << keys[j]->id;
        }
        for (size_t k = 0; k < kControlsBeforeRows; ++k) {
            EXPECT_LE(OverlapDepth(*keys[i], controls[k]), 0) << keys[i]->id;
        }
    }
}

}  // namespace
