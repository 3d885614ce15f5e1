#include "cwnd.h"

#include <QWidget>

#include "control_text.h"

BOOL CWnd::EnableWindow(BOOL enable) {
    if (m_widget == nullptr) {
        return FALSE;
    }
    const BOOL wasDisabled = m_widget->isEnabled() ? FALSE : TRUE;
    m_widget->setEnabled(enable != FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const {
    return m_widget != nullptr && m_widget->isEnabled() ? TRUE : FALSE;
}

void CWnd::SetFocus() {
    if (m_widget != nullptr) {
        m_widget->setFocus(Qt::OtherFocusReason);
    }
}

std::u16string CWnd::GetWindowText() const {
    return GetControlText(m_widget);
}

void CWnd::SetWindowText(const std::u16string& text) {
    SetControlText(m_widget, text);
}

void CWnd::ReplaceSel(const std::u16string& text) {
    ReplaceControlSelection(m_widget, text);
}
