#include "keyboard_dlg.h"

#include <algorithm>

#include "data_exchange.h"
#include "key_tables.h"
#include "pad_keys.h"
#include "resource.h"

namespace {

bool ById(const KeyboardKey& a, const KeyboardKey& b) {
    return a.id < b.id;
}

int FirstKeyId() {
    return std::min_element(kKeyboardKeys.begin(), kKeyboardKeys.end(), ById)->id;
}

int LastKeyId() {
    return std::max_element(kKeyboardKeys.begin(), kKeyboardKeys.end(), ById)->id;
}

template <typename Matches>
const KeyboardKey* FindKey(Matches matches) {
    const auto it = std::find_if(kKeyboardKeys.begin(), kKeyboardKeys.end(), matches);
    return it == kKeyboardKeys.end() ? nullptr : &*it;
}

const KeyboardKey* FindKeyById(int id) {
    return FindKey([id](const KeyboardKey& key) { return key.id == id; });
}

// There is no shift key: a letter typed in lower case presses its upper-case key.
const KeyboardKey* FindKeyByChar(char16_t ch) {
    const char16_t upper = ch >= u'a' && ch <= u'z' ? static_cast<char16_t>(ch - u'a' + u'A') : ch;
    return FindKey([upper](const KeyboardKey& key) { return key.ch == upper; });
}

// The key a physical key press stands for, or IDC_STATIC for none. Enter is OK: a focused key
// would otherwise take it as a press of itself, and someone who has tapped a key and goes on
// typing means to finish, not to press that key again.
int KeyForTyped(UINT vkey, char16_t ch) {
    if (const KeyboardKey* key = ch != 0 ? FindKeyByChar(ch) : nullptr) {
        return key->id;
    }
    if (vkey == VK_BACK) {
        return IDC_KEY_BACKSPACE;
    }
    return vkey == VK_RETURN ? IDOK : IDC_STATIC;
}

}  // namespace

CKeyboardDlg::CKeyboardDlg(CWnd* parent) : CDialog(IDD_KEYBOARD, parent) {}

CKeyboardDlg::~CKeyboardDlg() = default;

void CKeyboardDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Text(dx, IDC_KEYBOARD_DISPLAY, m_text);
}

BOOL CKeyboardDlg::PreTranslateKey(int focusedId, UINT vkey, char16_t ch) {
    return PressPadKey(*this, IDC_KEYBOARD_DISPLAY, focusedId, vkey, KeyForTyped(vkey, ch));
}

// Neither the keys nor "BS" read the display first: text typed into it is replaced by the next
// key's refresh.
void CKeyboardDlg::OnKey(UINT id) {
    const KeyboardKey* key = FindKeyById(static_cast<int>(id));
    if (key == nullptr) {
        return;
    }
    m_text += key->ch;
    UpdateData(FALSE);
}

void CKeyboardDlg::OnBackspace() {
    if (!m_text.empty()) {
        m_text.pop_back();
    }
    UpdateData(FALSE);
}

// The character keys' ids enclose that of "BS", so its own entry comes first: the first entry
// that matches a click handles it. One entry a line, as a table reads.
// clang-format off
BEGIN_MESSAGE_MAP(CKeyboardDlg, CDialog)
    ON_BN_CLICKED(IDC_KEY_BACKSPACE, &CKeyboardDlg::OnBackspace),
    ON_CONTROL_RANGE(BN_CLICKED, FirstKeyId(), LastKeyId(), &CKeyboardDlg::OnKey),
END_MESSAGE_MAP()
