#include "cdialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QEventLoop>
#include <QGroupBox>
#include <QScreen>

#include "data_exchange.h"
#include "dialog_window.h"
#include "modal_hook.h"
#include "resources.h"
#include "win_app.h"

BEGIN_MESSAGE_MAP(CDialog, CCmdTarget)
ON_BN_CLICKED(IDOK, &CDialog::OnOK), ON_BN_CLICKED(IDCANCEL, &CDialog::OnCancel),
    END_MESSAGE_MAP()

        namespace {
    QString ToQString(std::u16string_view text) {
        return QString(reinterpret_cast<const QChar*>(text.data()),
                       static_cast<qsizetype>(text.size()));
    }

    bool CanSend(ControlClass cls, UINT message, int code) {
        switch (code) {
            case BN_CLICKED:
                return message == WM_COMMAND && cls == ControlClass::Button;
            case EN_SETFOCUS:
                return message == WM_COMMAND && cls == ControlClass::Edit;
            case NM_CLICK:
            case LVN_COLUMNCLICK:
                return message == WM_NOTIFY && cls == ControlClass::ListView;
            case DTN_CLOSEUP:
            case DTN_DATETIMECHANGE:
                return message == WM_NOTIFY && cls == ControlClass::DateTimePicker;
            default:
                return false;
        }
    }

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* /*parent*/)
    : m_templateId(templateId), m_template(FindDialogTemplate(templateId)) {}

CDialog::~CDialog() {
    Destroy();
}

INT_PTR CDialog::DoModal() {
    if (m_template == nullptr) {
        return -1;
    }
    Build();
    m_result = -1;
    m_ended = false;
    if (OnInitDialog() != FALSE && !m_ended) {
        // The first tab stop in template order takes the focus, as the dialog manager does.
        for (const ControlTemplate& item : m_template->controls) {
            QWidget* control = GetControlWidget(item.id);
            if ((item.style & WS_TABSTOP) != 0 && control != nullptr && control->isEnabled()) {
                control->setFocus(Qt::TabFocusReason);
                break;
            }
        }
    }
    if (!m_ended) {
        m_window->show();
        m_window->activateWindow();
        if (ModalHook* hook = GetModalHook()) {
            hook->RunModal(*this);
        } else {
            QEventLoop loop;
            m_loop = &loop;
            loop.exec(QEventLoop::DialogExec);
            m_loop = nullptr;
        }
    }
    if (!m_ended) {
        EndDialog(IDCANCEL);
    }
    Destroy();
    return m_result;
}

void CDialog::Build() {
    Destroy();
    m_window = std::make_unique<DialogWindow>(this);
    m_widget = m_window.get();
    QFont font = QApplication::font();
    font.setPointSize(m_template->pointSize);
    m_window->setFont(font);
    m_window->setWindowModality(Qt::ApplicationModal);
    m_window->installEventFilter(m_window.get());
    const bool caption = (m_template->style & WS_CAPTION) == WS_CAPTION;
    m_window->setWindowTitle(caption
                                 ? ToQString(m_template->title)
                                 : QString::fromStdU16String(
                                       AfxGetApp() != nullptr ? AfxGetApp()->m_appName : u"Tarvo"));
    const DialogUnits units(font);
    m_window->setFixedSize(units.X(m_template->cx), units.Y(m_template->cy));

    QButtonGroup* radioGroup = nullptr;
    QWidget* previousTabStop = nullptr;
    std::vector<QWidget*> groupBoxes;
    for (const ControlTemplate& item : m_template->controls) {
        QWidget* control = m_window->CreateControl(item, radioGroup);
        control->setGeometry(units.Rect(item.x, item.y, item.cx, item.cy));
        control->setAccessibleName(
            ToQString(item.accessibleName.empty() ? item.text : item.accessibleName));
        if (control->focusPolicy() != Qt::NoFocus) {
            control->setFocusPolicy((item.style & WS_TABSTOP) != 0 ? Qt::StrongFocus
                                                                   : Qt::ClickFocus);
        }
        if (control->focusPolicy() != Qt::NoFocus) {
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
        }
    }
    // A group box only frames the controls inside it; it must never cover them.
    for (QWidget* box : groupBoxes) {
        box->lower();
    }
    ValidateMessageMap();
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
    m_widget = nullptr;
    m_window.reset();
}

void CDialog::EndDialog(int result) {
    m_result = result;
    m_ended = true;
    if (m_window != nullptr) {
        m_window->hide();
    }
    if (m_loop != nullptr) {
        m_loop->quit();
    }
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    if (m_window == nullptr) {
        return FALSE;
    }
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return dx.Failed() ? FALSE : TRUE;
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

void CDialog::SetIcon(const QIcon& icon, BOOL bigIcon) {
    (bigIcon ? m_bigIcon : m_smallIcon) = icon;
    if (m_window != nullptr) {
        m_window->setWindowIcon(m_bigIcon.isNull() ? m_smallIcon : m_bigIcon);
    }
}

void CDialog::CenterWindow() {
    if (m_window == nullptr) {
        return;
    }
    QScreen* screen =
        m_window->screen() != nullptr ? m_window->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        QRect frame = m_window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        m_window->move(frame.topLeft());
    }
}

QWidget* CDialog::GetWindowWidget() const {
    return m_window.get();
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
    if (UpdateData(TRUE)) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange* /*dx*/) {}

BOOL CDialog::PreTranslateKey(int /*focusedId*/, UINT /*vkey*/, char16_t /*ch*/) {
    return FALSE;
}

void CDialog::OnCloseRequest() {
    // A caption with an OK button closes with OK; any other close is a Cancel.
    const int command = (m_template->exStyle & WS_EX_CAPTIONOKBTN) != 0 ? IDOK : IDCANCEL;
    SendNotify(WM_COMMAND, BN_CLICKED, command);
}
