#include "dialog_window.h"

#include <limits>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "cdialog.h"
#include "controls.h"
#include "dialog_template.h"
#include "list_view_control.h"
#include "qt_text.h"

namespace {

constexpr char kIdProperty[] = "controlId";

// A multi-line button breaks its text at spaces where a line would not fit.
QString WrapButtonText(const QString& text, const QFont& font, int width) {
    const QFontMetrics metrics(font);
    QString wrapped;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
            wrapped += line + QLatin1Char('\n');
            line = word;
        } else {
            line = candidate;
        }
    }
    return wrapped + line;
}

QWidget* CreateButton(CDialog* dialog, const ControlTemplate& item, QWidget* parent,
                      QButtonGroup*& radioGroup) {
    const DWORD type = item.style & BS_TYPEMASK;
    if (type == BS_GROUPBOX) {
        auto* box = new QGroupBox(ToQString(item.text), parent);
        box->setFocusPolicy(Qt::NoFocus);
        return box;
    }
    QAbstractButton* button = nullptr;
    if (type == BS_AUTOCHECKBOX) {
        button = new QCheckBox(ToQString(item.text), parent);
    } else if (type == BS_AUTORADIOBUTTON) {
        button = new QRadioButton(ToQString(item.text), parent);
        if (radioGroup == nullptr || (item.style & WS_GROUP) != 0) {
            radioGroup = new QButtonGroup(parent);
        }
        radioGroup->addButton(button);
    } else {
        auto* push = new QPushButton(ToQString(item.text), parent);
        // Only the template's default button takes Enter from elsewhere: Qt would otherwise make
        // whichever button last had the focus the default.
        push->setAutoDefault(false);
        push->setDefault(type == BS_DEFPUSHBUTTON);
        button = push;
    }
    const int id = item.id;
    QObject::connect(button, &QAbstractButton::clicked, parent,
                     [dialog, id] { dialog->SendNotify(WM_COMMAND, BN_CLICKED, id); });
    return button;
}

QWidget* CreateEdit(CDialog* dialog, const ControlTemplate& item, QWidget* parent) {
    const bool border = (item.style & WS_BORDER) != 0 || (item.exStyle & WS_EX_CLIENTEDGE) != 0;
    if ((item.style & ES_MULTILINE) != 0) {
        auto* edit = new QPlainTextEdit(parent);
        edit->setReadOnly((item.style & ES_READONLY) != 0);
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
        edit->setTabChangesFocus(true);
        if ((item.style & WS_VSCROLL) == 0) {
            edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        }
        if ((item.style & WS_HSCROLL) == 0) {
            edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        }
        if (!border) {
            edit->setFrameShape(QFrame::NoFrame);
        }
        return edit;
    }
    auto* edit = new EditControl(dialog, item.id, parent);
    // No limit of its own: an edit must never shorten a text the program shows in it, which
    // would come back shortened though nobody edited it.
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setReadOnly((item.style & ES_READONLY) != 0);
    edit->setFrame(border);
    const DWORD align = item.style & (ES_RIGHT | ES_CENTER);
    edit->setAlignment((align == ES_RIGHT    ? Qt::AlignRight
                        : align == ES_CENTER ? Qt::AlignHCenter
                                             : Qt::AlignLeft) |
                       Qt::AlignVCenter);
    return edit;
}

QWidget* CreateStatic(const ControlTemplate& item, QWidget* parent, const DialogUnits& units) {
    auto* label = new QLabel(ToQString(item.text), parent);
    // The device's static text breaks its words onto the lines it has room for; a static of one
    // line's height shows its one line.
    label->setWordWrap(units.Y(item.cy) >= 2 * label->fontMetrics().height());
    Qt::Alignment align = (item.style & SS_CENTER) != 0 ? Qt::AlignHCenter : Qt::AlignLeft;
    align |= (item.style & SS_CENTERIMAGE) != 0 ? Qt::AlignVCenter : Qt::AlignTop;
    label->setAlignment(align);
    if ((item.style & SS_SUNKEN) != 0 || (item.exStyle & WS_EX_STATICEDGE) != 0) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    return label;
}

QWidget* CreateListView(CDialog* dialog, const ControlTemplate& item, QWidget* parent) {
    auto* view = new ListViewControl(dialog, item.id, parent);
    if ((item.style & WS_BORDER) == 0 && (item.exStyle & WS_EX_CLIENTEDGE) == 0) {
        view->setFrameShape(QFrame::NoFrame);
    }
    return view;
}

// A list to choose from. Only a choice the user makes sends CBN_SELCHANGE, not the program's own.
QWidget* CreateComboBox(CDialog* dialog, const ControlTemplate& item, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    const int id = item.id;
    QObject::connect(box, &QComboBox::activated, parent,
                     [dialog, id] { dialog->SendNotify(WM_COMMAND, CBN_SELCHANGE, id); });
    return box;
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = (alphabet / 26 + 1) / 2;
    m_baseY = metrics.height();
}

DialogWindow::DialogWindow(CDialog* dialog, QWidget* owner)
    : QDialog(owner), m_dialog(dialog), m_client(new QWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_client);
    m_client->installEventFilter(this);
    connect(this, &QDialog::finished, this, [this] { m_finished = true; });
}

void ActivateWindow(QWidget* window) {
    window->activateWindow();
    QApplication::setActiveWindow(window);
}

QWidget* DialogWindow::CreateControl(const ControlTemplate& item, QButtonGroup*& radioGroup) {
    QWidget* control = nullptr;
    switch (item.cls) {
        case ControlClass::Button:
            control = CreateButton(m_dialog, item, m_client, radioGroup);
            break;
        case ControlClass::Edit:
            control = CreateEdit(m_dialog, item, m_client);
            break;
        case ControlClass::Static:
            control = CreateStatic(item, m_client, DialogUnits(font()));
            break;
        case ControlClass::ListView:
            control = CreateListView(m_dialog, item, m_client);
            break;
        case ControlClass::DateTimePicker:
            control = new DateTimePickerControl(m_dialog, item.id, item.style, m_client);
            break;
        case ControlClass::ComboBox:
            control = CreateComboBox(m_dialog, item, m_client);
            break;
    }
    if (item.cls == ControlClass::Button && (item.style & BS_MULTILINE) != 0) {
        auto* button = static_cast<QPushButton*>(control);
        const DialogUnits units(font());
        button->setText(WrapButtonText(button->text(), font(), units.X(item.cx) - 6));
    }
    control->setProperty(kIdProperty, item.id);
    control->installEventFilter(this);
    return control;
}

QWidget* DialogWindow::FocusedControl() const {
    // The focus may sit in a part of a control (the line edit inside a date picker): the
    // control is the nearest widget that carries an id.
    QWidget* w = focusWidget();
    while (w != nullptr && w != this && !w->property(kIdProperty).isValid()) {
        w = w->parentWidget();
    }
    return w == this ? nullptr : w;
}

int DialogWindow::FocusedControlId() const {
    const QWidget* control = FocusedControl();
    return control == nullptr ? IDC_STATIC : control->property(kIdProperty).toInt();
}

void DialogWindow::reject() {
    m_dialog->SendNotify(WM_COMMAND, BN_CLICKED, IDCANCEL);
}

void DialogWindow::closeEvent(QCloseEvent* event) {
    // The dialog decides whether and how it ends; the window only asks.
    event->ignore();
    m_dialog->OnCloseRequest();
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize) {
        m_dialog->LayoutAnchoredControls();
    }
    // A key press travels from the focused control up to the window; the dialog sees it once,
    // where it starts.
    QWidget* control = FocusedControl();
    const QObject* first = control != nullptr ? static_cast<QObject*>(control) : this;
    if (event->type() == QEvent::KeyPress && watched == first) {
        const auto* key = static_cast<QKeyEvent*>(event);
        UINT vkey = 0;
        switch (key->key()) {
            case Qt::Key_Backspace:
                vkey = VK_BACK;
                break;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                vkey = VK_RETURN;
                break;
            case Qt::Key_Escape:
                vkey = VK_ESCAPE;
                break;
            default:
                break;
        }
        const QString text = key->text();
        const char16_t ch = text.size() == 1 && text[0].isPrint() ? FromQString(text)[0] : 0;
        if ((vkey != 0 || ch != 0) && m_dialog->PreTranslateKey(FocusedControlId(), vkey, ch)) {
            return true;
        }
        // Enter on a focused push button presses that button, whatever the dialog's default
        // button is (a dialog without one does nothing else on Enter).
        if (auto* button = qobject_cast<QPushButton*>(control);
            button != nullptr && vkey == VK_RETURN) {
            button->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
