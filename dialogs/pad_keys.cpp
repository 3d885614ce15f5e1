#include "pad_keys.h"

#include <algorithm>

namespace {

bool ByIdOrder(const PadKey& a, const PadKey& b) {
    return a.id < b.id;
}

}  // namespace

const PadKey* PadKeys::ById(int id) const {
    const PadKey* key = std::find_if(m_first, m_last, [id](const PadKey& k) { return k.id == id; });
    return key == m_last ? nullptr : key;
}

const PadKey* PadKeys::ByChar(char16_t ch) const {
    const char16_t upper = ch >= u'a' && ch <= u'z' ? static_cast<char16_t>(ch - u'a' + u'A') : ch;
    const PadKey* key =
        std::find_if(m_first, m_last, [upper](const PadKey& k) { return k.ch == upper; });
    return key == m_last ? nullptr : key;
}

int PadKeys::FirstId() const {
    return std::min_element(m_first, m_last, ByIdOrder)->id;
}

int PadKeys::LastId() const {
    return std::max_element(m_first, m_last, ByIdOrder)->id;
}

int PadKeys::ForTyped(UINT vkey, char16_t ch, int backspaceId) const {
    if (const PadKey* key = ch != 0 ? ByChar(ch) : nullptr) {
        return key->id;
    }
    if (vkey == VK_BACK) {
        return backspaceId;
    }
    return vkey == VK_RETURN ? IDOK : IDC_STATIC;
}

const PadKeys& KeypadPadKeys() {
    static const PadKeys keys(kKeypadKeys);
    return keys;
}

const PadKeys& KeyboardPadKeys() {
    static const PadKeys keys(kKeyboardKeys);
    return keys;
}

bool PressPadKey(CDialog& pad, int displayId, int focusedId, UINT vkey, int key) {
    if (focusedId == displayId || (focusedId == IDCANCEL && vkey == VK_RETURN) ||
        key == IDC_STATIC) {
        return false;
    }
    pad.SendNotify(WM_COMMAND, BN_CLICKED, key);
    return true;
}
