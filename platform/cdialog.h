#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QIcon>

#include "cwnd.h"
#include "dialog_template.h"

class CDataExchange;
class DialogWindow;
class QEventLoop;

// A modal dialog built from a template: controls are created from the template's items and
// placed in dialog units scaled from the template's font; their notifications reach the
// dialog's message map; members and controls meet in DoDataExchange.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Builds the window, runs OnInitDialog and a modal loop until EndDialog; returns its result
    // (IDOK, IDCANCEL, or -1 when the template does not exist).
    virtual INT_PTR DoModal();
    void EndDialog(int result);
    bool IsOpen() const { return m_window != nullptr && !m_ended; }

    // Moves data between members and controls: FALSE shows the members in the controls, TRUE
    // takes the controls into the members and returns FALSE (the message already shown) when
    // a control holds a value its member cannot take.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // A handle on control `id` while the window exists, else nullptr.
    CWnd* GetDlgItem(int id);
    // Attaches `control` to control `id` until the window goes (DDX_Control).
    void BindControl(int id, CWnd& control);
    void GotoDlgCtrl(CWnd* control);
    void SetIcon(const QIcon& icon, BOOL bigIcon);
    void CenterWindow();

    UINT GetTemplateId() const { return m_templateId; }
    const DialogTemplate* GetTemplate() const { return m_template; }
    // The Qt widgets behind the dialog and its controls (for screenshots and the test driver).
    QWidget* GetWindowWidget() const;
    QWidget* GetControlWidget(int id) const;

    // Delivers a notification from control `id` through the message map; returns whether a
    // handler took it. The platform's controls call it; so may code that stands in for a user.
    bool SendNotify(UINT message, int code, int id, NMHDR* nm = nullptr);

    static const MessageMap* GetThisMessageMap();

protected:
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* dx);

    // A key pressed while the dialog is active, before the focused control (id `focusedId`, or
    // IDC_STATIC for none) sees it. Return TRUE when the dialog handled it. `vkey` is one of the
    // VK_ codes below, or 0 for a key that only types text; `ch` the character typed, if any.
    virtual BOOL PreTranslateKey(int focusedId, UINT vkey, char16_t ch);

private:
    friend class DialogWindow;
    void Build();
    void Destroy();
    void ValidateMessageMap() const;
    void OnCloseRequest();

    UINT m_templateId;
    const DialogTemplate* m_template;
    std::unique_ptr<DialogWindow> m_window;
    std::map<int, QWidget*> m_controls;
    std::map<int, std::unique_ptr<CWnd>> m_items;
    std::vector<CWnd*> m_bound;
    QIcon m_bigIcon;
    QIcon m_smallIcon;
    QEventLoop* m_loop = nullptr;
    int m_result = -1;
    bool m_ended = false;
};

inline constexpr UINT VK_BACK = 0x08;
inline constexpr UINT VK_RETURN = 0x0D;
inline constexpr UINT VK_ESCAPE = 0x1B;
