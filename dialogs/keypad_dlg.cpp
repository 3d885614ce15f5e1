#include "keypad_dlg.h"

#include <cmath>

#include <QApplication>

#include "data_exchange.h"
#include "desktop_locale.h"
#include "key_tables.h"
#include "pad_keys.h"
#include "resource.h"

CKeypadDlg::CKeypadDlg(CWnd* parent) : CDialog(IDD_KEYPAD, parent) {}

void CKeypadDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Text(dx, IDC_KEYPAD_DISPLAY, m_value);
}

namespace {

// A number is typed on a physical keyboard the desktop's way: its decimal mark is the point key,
// and a point that is not its decimal mark (the German group separator) presses nothing, so that
// "4.000" typed in German is four thousand, never 4. The pad's own point key stays the decimal
// mark whatever the desktop.
char16_t KeyTyped(char16_t ch, const NumberMarks& marks) {
    if (ch == marks.decimal) {
        return u'.';
    }
    return ch == u'.' ? char16_t(0) : ch;
}

}  // namespace

bool CKeypadDlg::PreTranslateKey(int focusedId, UINT vkey, char16_t ch) {
    const NumberMarks marks = DesktopNumberMarks(QLocale());
    if (ch == marks.group && ch != marks.decimal) {
        // A pad builds its number digit by digit and has no groups: the separator presses
        // nothing, and the desktop's warning sound says so, so that "30.5" typed where the
        // point groups thousands is not taken for 305 in silence.
        QApplication::beep();
    }
    return PressPadKey(*this, IDC_KEYPAD_DISPLAY, focusedId, vkey,
                       KeypadPadKeys().ForTyped(vkey, KeyTyped(ch, marks), IDC_STATIC));
}

// The number is built arithmetically, one place at a time, never parsed from the display.
void CKeypadDlg::OnDigit(UINT id) {
    const PadKey* key = KeypadPadKeys().ById(static_cast<int>(id));
    if (key == nullptr || key->ch < u'0' || key->ch > u'9') {
        return;
    }
    const double digit = key->ch - u'0';
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
// first entry that matches a click handles it.
BEGIN_MESSAGE_MAP(CKeypadDlg, CDialog)
    ON_BN_CLICKED(IDC_KEY_POINT, &CKeypadDlg::OnPoint)
    ON_BN_CLICKED(IDC_KEY_CLEAR, &CKeypadDlg::OnClear)
    ON_CONTROL_RANGE(BN_CLICKED, KeypadPadKeys().FirstId(), KeypadPadKeys().LastId(),
                     &CKeypadDlg::OnDigit)
END_MESSAGE_MAP()
