#include "keypad_dlg.h"

#include <algorithm>
#include <cmath>

#include "data_exchange.h"
#include "key_tables.h"
#include "pad_keys.h"
#include "resource.h"

namespace {

bool ById(const DigitKey& a, const DigitKey& b) {
    return a.id < b.id;
}

int FirstDigitId() {
    return std::min_element(kKeypadDigits.begin(), kKeypadDigits.end(), ById)->id;
}

int LastDigitId() {
    return std::max_element(kKeypadDigits.begin(), kKeypadDigits.end(), ById)->id;
}

const DigitKey* FindDigitKey(int id) {
    const auto it = std::find_if(kKeypadDigits.begin(), kKeypadDigits.end(),
                                 [id](const DigitKey& key) { return key.id == id; });
    return it == kKeypadDigits.end() ? nullptr : &*it;
}

// The key a physical key press stands for, or IDC_STATIC for none. Enter is OK: a focused key
// would otherwise take it as a press of itself, and someone who has tapped a key and goes on
// typing means to finish, not to press that key again.
int KeyForTyped(UINT vkey, char16_t ch) {
    if (ch >= u'0' && ch <= u'9') {
        return kKeypadDigits[ch - u'0'].id;
    }
    if (ch == u'.') {
        return IDC_KEY_POINT;
    }
    return vkey == VK_RETURN ? IDOK : IDC_STATIC;
}

}  // namespace

CKeypadDlg::CKeypadDlg(CWnd* parent) : CDialog(IDD_KEYPAD, parent) {}

void CKeypadDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Text(dx, IDC_KEYPAD_DISPLAY, m_value);
}

BOOL CKeypadDlg::PreTranslateKey(int focusedId, UINT vkey, char16_t ch) {
    return PressPadKey(*this, IDC_KEYPAD_DISPLAY, focusedId, vkey, KeyForTyped(vkey, ch));
}

// The number is built arithmetically, one place at a time, never parsed from the display.
void CKeypadDlg::OnDigit(UINT id) {
    const DigitKey* key = FindDigitKey(static_cast<int>(id));
    if (key == nullptr) {
        return;
    }
    const double digit = key->digit;
    if (m_decimals == 0) {
        m_value = m_value * 10.0 + digit;
    } else {
        m_lastFraction = std::pow(0.1, static_cast<double>(m_decimals)) * digit;
        m_decimals = m_decimals + 1;
        m_value = m_lastFraction + m_value;
    }
    UpdateData(FALSE);
}

// The point shows only once a digit follows it; a second point changes nothing.
void CKeypadDlg::OnPoint() {
    if (m_decimals == 0) {
        m_decimals = 1;
    }
}

void CKeypadDlg::OnClear() {
    m_lastFraction = 0.0;
    m_value = 0.0;
    m_decimals = 0;
    UpdateData(FALSE);
}

// The digits' ids enclose those of the point and Clear, so their own entries come first: the
// first entry that matches a click handles it. One entry a line, as a table reads.
// clang-format off
BEGIN_MESSAGE_MAP(CKeypadDlg, CDialog)
    ON_BN_CLICKED(IDC_KEY_POINT, &CKeypadDlg::OnPoint),
    ON_BN_CLICKED(IDC_KEY_CLEAR, &CKeypadDlg::OnClear),
    ON_CONTROL_RANGE(BN_CLICKED, FirstDigitId(), LastDigitId(), &CKeypadDlg::OnDigit),
END_MESSAGE_MAP()
