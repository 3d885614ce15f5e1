#include "cwnd.h"

#include <QWidget>

#include "control_text.h"
#include "qt_text.h"

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

BOOL CWnd::ShowWindow(int command) {
    if (m_widget == nullptr) {
        return FALSE;
    }
    const BOOL wasVisible = m_widget->isVisibleTo(m_widget->parentWidget()) ? TRUE : FALSE;
    m_widget->setVisible(command != SW_HIDE);
    return wasVisible;
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

void CWnd::SetAccessibleName(const std::u16string& name) {
    if (m_widget != nullptr) {
        m_widget->setAccessibleName(ToQString(name));
    }
}

void CWnd::SetAttention(Attention level, const std::u16string& note) {
    if (m_widget == nullptr) {
        return;
    }
    static const char* const kLooks[] = {
        "",
        "background-color: #ffe08a; color: #1a1a1a;",  // amber
        "background-color: #f5a3a3; color: #1a1a1a;",  // red
    };
    m_widget->setStyleSheet(QString::fromLatin1(kLooks[static_cast<int>(level)]));
    const QString shown = level == Attention::None ? QString() : ToQString(note);
    m_widget->setToolTip(shown);
    m_widget->setAccessibleDescription(shown);
}
