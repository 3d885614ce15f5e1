#include "cdialog.h"

#include <algorithm>

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include "control_text.h"
#include "data_exchange.h"
#include "dialog_window.h"
#include "modal_hook.h"
#include "qt_text.h"
#include "resource_table.h"
#include "win_app.h"

BEGIN_MESSAGE_MAP(CDialog, CCmdTarget)
    ON_BN_CLICKED(IDOK, &CDialog::OnOK)
    ON_BN_CLICKED(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

namespace {

// The dialogs whose modal run is under way, outermost first.
std::vector<CDialog*>& RunningDialogs() {
    static std::vector<CDialog*> running;
    return running;
}

// The frame a template asks for: the main window (caption, in the task bar) with minimize and,
// when it can grow, maximize buttons; every other dialog with a close button only.
Qt::WindowFlags WindowFlags(const DialogTemplate& t, bool resizable) {
    if ((t.exStyle & WS_EX_APPWINDOW) != 0) {
        Qt::WindowFlags flags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
        return resizable ? flags | Qt::WindowMaximizeButtonHint : flags;
    }
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
}

bool CanSend(ControlClass cls, UINT message, int code) {
    switch (code) {
        case BN_CLICKED:
            return message == WM_COMMAND && cls == ControlClass::Button;
        case EN_SETFOCUS:
        case EN_CHANGE:
            return message == WM_COMMAND && cls == ControlClass::Edit;
        case NM_CLICK:
        case NM_DBLCLK:
        case NM_RETURN:
        case LVN_KEYDOWN:
        case LVN_COLUMNCLICK:
            return message == WM_NOTIFY && cls == ControlClass::ListView;
        case DTN_CLOSEUP:
        case DTN_DATETIMECHANGE:
            return message == WM_NOTIFY && cls == ControlClass::DateTimePicker;
        case CBN_SELCHANGE:
            return message == WM_COMMAND && cls == ControlClass::ComboBox;
        default:
            return false;
    }
}

}  // namespace

QWidget* GetSafeOwner() {
    const std::vector<CDialog*>& running = RunningDialogs();
    return running.empty() ? nullptr : running.back()->GetWindowWidget();
}

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_templateId(templateId), m_template(FindDialogTemplate(templateId)), m_parent(parent) {}

CDialog::~CDialog() {
    Destroy();
}

INT_PTR CDialog::DoModal() {
    if (m_template == nullptr) {
        return -1;
    }
    QWidget* owner = m_parent != nullptr && m_parent->GetSafeWidget() != nullptr
                         ? m_parent->GetSafeWidget()->window()
                         : GetSafeOwner();
    Build(owner);
    RunningDialogs().push_back(this);
    if (OnInitDialog() != FALSE && IsOpen()) {
        FocusFirstTabStop();
    }
    if (IsOpen()) {
        if (ModalHook* hook = GetModalHook()) {
            m_window->show();
            ActivateWindow(m_window);
            hook->RunModal(*this);
            if (IsOpen()) {
                EndDialog(IDCANCEL);
            }
        } else {
            m_window->exec();
        }
    }
    const int result = m_window->result();
    RunningDialogs().pop_back();
    Destroy();
    if (owner != nullptr && owner->isVisible()) {
        ActivateWindow(owner);
    }
    return result;
}

bool CDialog::IsOpen() const {
    return m_window != nullptr && !m_window->IsFinished();
}

void CDialog::FocusFirstTabStop() {
    // The first enabled tab stop in template order takes the focus, as the dialog manager does.
    for (const ControlTemplate& item : m_template->controls) {
        QWidget* control = GetControlWidget(item.id);
        if ((item.style & WS_TABSTOP) != 0 && control != nullptr && control->isEnabled()) {
            control->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void CDialog::Build(QWidget* owner) {
    Destroy();
    m_window = new DialogWindow(this, owner);
    m_widget = m_window;
    QFont font = QApplication::font();
    font.setPointSize(m_template->pointSize);
    m_window->setFont(font);
    m_window->setWindowModality(Qt::ApplicationModal);
    m_window->installEventFilter(m_window);
    const bool caption = (m_template->style & WS_CAPTION) == WS_CAPTION;
    const bool resizable = (m_template->style & WS_THICKFRAME) != 0;
    m_window->setWindowFlags(WindowFlags(*m_template, resizable));
    m_window->setWindowTitle(
        ToQString(!m_title.empty() ? std::u16string_view(m_title)
                  : caption        ? m_template->title
                                   : (AfxGetApp() != nullptr ? AfxGetApp()->m_appName : u"")));
    // A screen reader names the window as the title bar does.
    m_window->setAccessibleName(m_window->windowTitle());
    const DialogUnits units(font);
    const QSize size(units.X(m_template->cx), units.Y(m_template->cy));
    m_templateSize = size;
    if (resizable) {
        // The template's size is where the window opens and the least it takes.
        m_window->Client()->setMinimumSize(size);
        m_window->resize(m_window->minimumSizeHint());
    } else {
        m_window->Client()->setFixedSize(size);
        m_window->layout()->setSizeConstraint(QLayout::SetFixedSize);
    }

    QButtonGroup* radioGroup = nullptr;
    QWidget* previousTabStop = nullptr;
    std::vector<QWidget*> groupBoxes;
    for (const ControlTemplate& item : m_template->controls) {
        QWidget* control = m_window->CreateControl(item, radioGroup);
        control->setGeometry(units.Rect(item.x, item.y, item.cx, item.cy));
        if (item.anchors != AnchorTopLeft) {
            m_anchored.push_back({control, control->geometry(), item.anchors});
        }
        control->setAccessibleName(
            ToQString(item.accessibleName.empty() ? item.text : item.accessibleName));
        if (control->focusPolicy() != Qt::NoFocus) {
            control->setFocusPolicy((item.style & WS_TABSTOP) != 0 ? Qt::StrongFocus
                                                                   : Qt::ClickFocus);
            if (previousTabStop != nullptr) {
                QWidget::setTabOrder(previousTabStop, control);
            }
            previousTabStop = control;
        }
        if (qobject_cast<QGroupBox*>(control) != nullptr) {
            groupBoxes.push_back(control);
        }
        if (item.id != IDC_STATIC) {
            m_controls[item.id] = control;
        } else {
            m_unnamedControls.emplace_back(item.text, control);
        }
    }
    // A group box only frames the controls inside it; it must never cover them.
    for (QWidget* box : groupBoxes) {
        box->lower();
    }
    ValidateMessageMap();
}

void CDialog::LayoutAnchoredControls() {
    // Each anchored control moves or stretches by what the window has grown beyond the
    // template's size, keeping its distance to the edges it is anchored to.
    const QWidget* client = m_window->Client();
    const QSize grown = client->size() - m_templateSize;
    for (const AnchoredControl& a : m_anchored) {
        QRect r = a.templateRect;
        if ((a.anchors & AnchorRight) != 0) {
            (a.anchors & AnchorLeft) != 0 ? r.setRight(r.right() + grown.width())
                                          : r.translate(grown.width(), 0);
        }
        if ((a.anchors & AnchorBottom) != 0) {
            (a.anchors & AnchorTop) != 0 ? r.setBottom(r.bottom() + grown.height())
                                         : r.translate(0, grown.height());
        }
        a.control->setGeometry(r);
    }
}

void CDialog::ValidateMessageMap() const {
    // A handler bound to a control that cannot send its notification would never run: say so
    // at once instead of leaving a dead command.
    for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
        for (size_t i = 0; i < map->count; ++i) {
            const MessageMapEntry& e = map->entries[i];
            if (e.idFirst != e.idLast || e.idFirst == IDOK || e.idFirst == IDCANCEL) {
                continue;
            }
            const ControlTemplate* item = m_template->FindControl(e.idFirst);
            if (item == nullptr || !CanSend(item->cls, e.message, e.code)) {
                qFatal(
                    "dialog %u: message map entry for control %d (notification %d) matches "
                    "no control of the template that can send it",
                    m_templateId, e.idFirst, e.code);
            }
        }
    }
}

void CDialog::Destroy() {
    for (auto& [id, item] : m_items) {
        item->Detach();
    }
    m_items.clear();
    for (CWnd* bound : m_bound) {
        bound->Detach();
    }
    m_bound.clear();
    m_controls.clear();
    m_unnamedControls.clear();
    m_anchored.clear();
    m_widget = nullptr;
    delete m_window.data();
}

void CDialog::EndDialog(int result) {
    if (m_window != nullptr) {
        m_window->done(result);
    }
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    if (m_window == nullptr) {
        return FALSE;
    }
    CDataExchange dx(this, saveAndValidate != FALSE);
    DoDataExchange(&dx);
    return dx.Failed() ? FALSE : TRUE;
}

void CDialog::UpdateControl(int id) {
    if (m_window != nullptr) {
        CDataExchange dx = CDataExchange::TakingQuietly(this, id);
        DoDataExchange(&dx);
    }
}

CWnd* CDialog::GetDlgItem(int id) {
    QWidget* control = GetControlWidget(id);
    if (control == nullptr) {
        return nullptr;
    }
    std::unique_ptr<CWnd>& item = m_items[id];
    if (item == nullptr) {
        item = std::make_unique<CWnd>(control);
    }
    return item.get();
}

void CDialog::BindControl(int id, CWnd& control) {
    QWidget* widget = GetControlWidget(id);
    if (control.GetSafeWidget() != widget) {
        control.Attach(widget);
        m_bound.push_back(&control);
    }
}

void CDialog::GotoDlgCtrl(CWnd* control) {
    if (control != nullptr && control->GetSafeWidget() != nullptr) {
        control->GetSafeWidget()->setFocus(Qt::TabFocusReason);
    }
}

void CDialog::SetDefID(int id) {
    for (const auto& [controlId, control] : m_controls) {
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            button->setDefault(controlId == id);
        }
    }
}

void CDialog::SetTabOrder(std::initializer_list<int> ids) {
    QWidget* previous = nullptr;
    for (int id : ids) {
        QWidget* control = GetControlWidget(id);
        if (previous != nullptr && control != nullptr) {
            QWidget::setTabOrder(previous, control);
        }
        previous = control != nullptr ? control : previous;
    }
}

void CDialog::SetIcon(const QIcon& icon, BOOL bigIcon) {
    (bigIcon != FALSE ? m_bigIcon : m_smallIcon) = icon;
    if (m_window != nullptr) {
        m_window->setWindowIcon(m_bigIcon.isNull() ? m_smallIcon : m_bigIcon);
    }
}

void CDialog::SetMenuBar(QMenuBar* menuBar) {
    if (m_window == nullptr) {
        return;
    }
    // Above the template's controls, which keep their places below it; a window that can grow
    // opens taller by the bar.
    m_window->layout()->setMenuBar(menuBar);
    if ((m_template->style & WS_THICKFRAME) != 0) {
        m_window->resize(m_window->minimumSizeHint());
    }
}

void CDialog::Widen(int extra) {
    if (m_window == nullptr) {
        return;
    }
    // Never wider than the screen it is on.
    if (const QScreen* screen = m_window->screen()) {
        extra = std::min(extra,
                         screen->availableGeometry().width() - m_window->frameGeometry().width());
    }
    if (extra <= 0) {
        return;
    }
    QWidget* client = m_window->Client();
    if ((m_template->style & WS_THICKFRAME) != 0) {
        m_window->resize(m_window->width() + extra, m_window->height());
    } else {
        client->setFixedWidth(client->width() + extra);
    }
}

void CDialog::CenterWindow() {
    if (m_window == nullptr) {
        return;
    }
    QRect frame = m_window->frameGeometry();
    if (const QWidget* owner = m_window->parentWidget()) {
        frame.moveCenter(owner->frameGeometry().center());
    } else if (const QScreen* screen = m_window->screen()) {
        frame.moveCenter(screen->availableGeometry().center());
    }
    m_window->move(frame.topLeft());
}

QWidget* CDialog::GetWindowWidget() const {
    return m_window;
}

bool CDialog::RenameTemplateText(std::u16string_view templateText, const std::u16string& text) {
    for (const auto& [given, control] : m_unnamedControls) {
        if (given == templateText) {
            SetControlText(control, text);
            return true;
        }
    }
    return false;
}

QWidget* CDialog::GetControlWidget(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

bool CDialog::SendNotify(UINT message, int code, int id, NMHDR* nm) {
    const MessageMapEntry* entry = GetMessageMap()->Find(message, code, id);
    if (entry == nullptr || !IsOpen()) {
        return false;
    }
    LRESULT result = 0;
    entry->invoke(this, id, nm, &result);
    return true;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE) != FALSE) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange* /*dx*/) {}

bool CDialog::PreTranslateKey(int /*focusedId*/, UINT /*vkey*/, char16_t /*ch*/) {
    return false;
}

void CDialog::OnCloseRequest() {
    // A caption with an OK button closes with OK; any other close is a Cancel.
    const int command = (m_template->exStyle & WS_EX_CAPTIONOKBTN) != 0 ? IDOK : IDCANCEL;
    SendNotify(WM_COMMAND, BN_CLICKED, command);
}
