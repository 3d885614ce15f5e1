#pragma once

#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <QIcon>
#include <QPointer>

#include "cwnd.h"
#include "dialog_template.h"

class CDataExchange;
class QMenuBar;
class DialogWindow;

// A modal dialog built from a template: controls are created from the template's items and
// placed in dialog units scaled from the template's font; their notifications reach the
// dialog's message map; members and controls meet in DoDataExchange. The window is a QDialog
// owned by the window that runs it, and the modal run is QDialog's own.
class CDialog : public CWnd {
public:
    // Without a parent, the dialog is owned by the innermost dialog still running (the one
    // whose handler runs this one), as the device's library finds an owner.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Builds the window, runs OnInitDialog and the modal run until EndDialog; returns the
    // result EndDialog was given (IDOK, IDCANCEL), or -1 when the template does not exist.
    // When the run ends, the keyboard focus is back in the window that owns the dialog.
    virtual INT_PTR DoModal();
    void EndDialog(int result);
    bool IsOpen() const;

    // Moves data between members and controls: FALSE shows the members in the controls, TRUE
    // takes the controls into the members and returns FALSE (the message already shown) when
    // a control holds a value its member cannot take.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    // Takes the one control `id` into its member, quietly (see CDataExchange::TakingQuietly):
    // for a member that follows the user's typing as it happens.
    void UpdateControl(int id);

    // A handle on control `id` while the window exists, else nullptr.
    CWnd* GetDlgItem(int id);
    // Attaches `control` to control `id` until the window goes (DDX_Control).
    void BindControl(int id, CWnd& control);
    void GotoDlgCtrl(CWnd* control);
    // Makes the push button `id` the one Enter presses, in place of the one that was.
    void SetDefID(int id);
    // Tab and Shift+Tab go through the controls `ids` in this order (after OnInitDialog has
    // built them), rather than in the template's: for a layout whose template order is not the
    // order the eye reads it in.
    void SetTabOrder(std::initializer_list<int> ids);
    void SetIcon(const QIcon& icon, BOOL bigIcon);
    // Puts a menu bar above the template's controls (the dialog takes it over).
    void SetMenuBar(QMenuBar* menuBar);
    // Widens the window by `extra` pixels (none for 0 or less), its controls moving and stretching
    // by their anchors as in a window that can grow: for a control that must show its text whole.
    // The window never grows wider than its screen.
    void Widen(int extra);
    // Centres the window over its owner, or on the screen when it has none.
    void CenterWindow();

    // The title the window shows instead of the template's (set before DoModal): a dialog
    // without a caption of its own says there what it is for.
    void SetTitle(std::u16string title) { m_title = std::move(title); }

    UINT GetTemplateId() const { return m_templateId; }
    const DialogTemplate* GetTemplate() const { return m_template; }
    // The Qt widgets behind the dialog and its controls (for screenshots and the test driver).
    QWidget* GetWindowWidget() const;
    QWidget* GetControlWidget(int id) const;

    // Renames a control without an id of its own (a label, a group box), found by the text its
    // template gives it; false when the template has none with that text. For texts that name
    // something the template could not know, such as a unit.
    bool RenameTemplateText(std::u16string_view templateText, const std::u16string& text);

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
    // IDC_STATIC for none) sees it. Return true when the dialog handled it. `vkey` is one of the
    // VK_ codes below, or 0 for a key that only types text; `ch` the character typed, if any.
    virtual bool PreTranslateKey(int focusedId, UINT vkey, char16_t ch);

private:
    friend class DialogWindow;
    void Build(QWidget* owner);
    void Destroy();
    void FocusFirstTabStop();
    void LayoutAnchoredControls();
    void ValidateMessageMap() const;
    void OnCloseRequest();

    UINT m_templateId;
    const DialogTemplate* m_template;
    CWnd* m_parent;
    // Deleted by Destroy; the pointer empties itself should the owner window take it first.
    QPointer<DialogWindow> m_window;
    std::map<int, QWidget*> m_controls;
    // The controls without an id, by the text of their template item.
    std::vector<std::pair<std::u16string_view, QWidget*>> m_unnamedControls;
    std::map<int, std::unique_ptr<CWnd>> m_items;
    std::vector<CWnd*> m_bound;
    struct AnchoredControl {
        QWidget* control;
        QRect templateRect;
        unsigned anchors;
    };
    std::vector<AnchoredControl> m_anchored;
    QSize m_templateSize;  // the client area's size in pixels, as the template gives it
    std::u16string m_title;
    QIcon m_bigIcon;
    QIcon m_smallIcon;
};

// The window a new dialog or message box without a parent is owned by: the window of the
// innermost dialog still running, or nullptr when none runs.
QWidget* GetSafeOwner();
