#include "keyboard_dlg.h"

#include "data_exchange.h"
#include "key_tables.h"
#include "pad_keys.h"
#include "resource.h"

CKeyboardDlg::CKeyboardDlg(CWnd* parent) : CDialog(IDD_KEYBOARD, parent) {}

CKeyboardDlg::~CKeyboardDlg() = default;

void CKeyboardDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Text(dx, IDC_KEYBOARD_DISPLAY, m_text);
}

bool CKeyboardDlg::PreTranslateKey(int focusedId, UINT vkey, char16_t ch) {
    return PressPadKey(*this, IDC_KEYBOARD_DISPLAY, focusedId, vkey,
                       KeyboardPadKeys().ForTyped(vkey, ch, IDC_KEY_BACKSPACE));
}

// Neither the keys nor "BS" read the display first: text typed into it is replaced by the next
// key's refresh.
void CKeyboardDlg::OnKey(UINT id) {
    const PadKey* key = KeyboardPadKeys().ById(static_cast<int>(id));
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
// that matches a click handles it.
BEGIN_MESSAGE_MAP(CKeyboardDlg, CDialog)
    ON_BN_CLICKED(IDC_KEY_BACKSPACE, &CKeyboardDlg::OnBackspace)
    ON_CONTROL_RANGE(BN_CLICKED, KeyboardPadKeys().FirstId(), KeyboardPadKeys().LastId(),
                     &CKeyboardDlg::OnKey)
END_MESSAGE_MAP()
