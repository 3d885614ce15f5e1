#pragma once

#include <string>

#include "cmd_target.h"

class QWidget;

// How strongly a control asks for attention (see CWnd::SetAttention).
enum class Attention { None, Warning, Alert };

// A window: a thin handle on a Qt widget. Child controls are reached through their dialog's
// GetDlgItem, which hands out CWnd handles owned by the dialog.
class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    explicit CWnd(QWidget* widget) : m_widget(widget) {}
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    QWidget* GetSafeWidget() const { return m_widget; }
    void Attach(QWidget* widget) { m_widget = widget; }
    void Detach() { m_widget = nullptr; }

    // Returns whether the window was disabled before, as the device's call does.
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    // SW_SHOW or SW_HIDE; returns whether the window was visible before.
    BOOL ShowWindow(int command);
    void SetFocus();
    std::u16string GetWindowText() const;
    void SetWindowText(const std::u16string& text);
    // For an edit: replaces its selection, or inserts at the cursor, as typing would.
    void ReplaceSel(const std::u16string& text);
    // Marks the control as asking for attention: a warning in amber, an alert in red, in
    // colours chosen together with their text colour so they read in light and dark themes
    // alike; `note` says why, as its tooltip and, for screen readers, its accessible
    // description (its accessible name stays). Attention::None takes the mark away.
    void SetAttention(Attention level, const std::u16string& note);
    // What a screen reader calls the control, where its template's name says too little (one of
    // several lists alike, each for its own question).
    void SetAccessibleName(const std::u16string& name);

protected:
    QWidget* m_widget = nullptr;
};
