#include "data_exchange.h"

#include <limits>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QWidget>

#include "cdialog.h"
#include "control_text.h"
#include "controls.h"
#include "desktop_locale.h"
#include "message_box.h"
#include "number_text.h"
#include "ole_date_time.h"
#include "utf8.h"

namespace {

// The control `id` when this run exchanges it, else nullptr.
QWidget* Control(CDataExchange* dx, int id) {
    return dx->Exchanges(id) ? dx->Dialog()->GetControlWidget(id) : nullptr;
}

// The text holds exactly one number, blanks around it allowed.
bool IsWhole(std::string_view text, size_t consumed) {
    return text.find_first_not_of(" \t", consumed) == std::string_view::npos;
}

std::u16string Quoted(const std::u16string& text) {
    return u"\"" + text + u"\"";
}

}  // namespace

CDataExchange CDataExchange::TakingQuietly(CDialog* dialog, int controlId) {
    CDataExchange dx(dialog, true);
    dx.m_only = controlId;
    return dx;
}

void CDataExchange::Fail(int controlId, const std::u16string& message) {
    m_failed = true;
    if (m_only != 0) {
        return;
    }
    AfxMessageBox(message, MB_OK | MB_ICONWARNING);
    if (QWidget* control = m_dialog->GetControlWidget(controlId)) {
        control->setFocus(Qt::OtherFocusReason);
    }
}

void DDX_Text(CDataExchange* dx, int id, std::u16string& value) {
    QWidget* control = Control(dx, id);
    if (dx->Failed() || control == nullptr) {
        return;
    }
    if (dx->SaveAndValidate()) {
        value = GetControlText(control);
    } else {
        SetControlText(control, value);
    }
}

void DDX_Text(CDataExchange* dx, int id, std::u16string& value, const ColumnText& columns) {
    QWidget* control = Control(dx, id);
    if (!dx->Failed() && control != nullptr && !dx->SaveAndValidate() &&
        value == JoinColumnText(columns)) {
        dx->Dialog()->Widen(SetControlColumns(control, columns));
        return;
    }
    DDX_Text(dx, id, value);
}

void DDX_Text(CDataExchange* dx, int id, double& value) {
    QWidget* control = Control(dx, id);
    if (dx->Failed() || control == nullptr) {
        return;
    }
    // Shown and typed with the desktop's decimal mark; the file keeps its point.
    const NumberMarks marks = DesktopNumberMarks(QLocale());
    if (!dx->SaveAndValidate()) {
        SetControlText(control, WithDecimalMark(FormatShortest(value), marks));
        return;
    }
    const std::u16string text = GetControlText(control);
    const std::optional<std::string> number = ReadTypedNumber(text, marks);
    double parsed = 0.0;
    size_t consumed = 0;
    if (number && ScanDouble(*number, parsed, &consumed) && IsWhole(*number, consumed)) {
        value = parsed;
    } else {
        dx->Fail(id, Quoted(text) + u" is not a number. Please enter a number.");
    }
}

void DDX_Text(CDataExchange* dx, int id, int32_t& value) {
    QWidget* control = Control(dx, id);
    if (dx->Failed() || control == nullptr) {
        return;
    }
    if (!dx->SaveAndValidate()) {
        SetControlText(control, Utf8ToUtf16(FormatInt(value)));
        return;
    }
    const std::u16string text = GetControlText(control);
    const std::string utf8 = Utf16ToUtf8(text);
    int64_t parsed = 0;
    size_t consumed = 0;
    if (!ScanInt(utf8, parsed, &consumed) || !IsWhole(utf8, consumed)) {
        dx->Fail(id, Quoted(text) + u" is not a whole number. Please enter a whole number.");
    } else if (parsed < std::numeric_limits<int32_t>::min() ||
               parsed > std::numeric_limits<int32_t>::max()) {
        dx->Fail(id, Quoted(text) +
                         u" is too large. Please enter a whole number between -2147483648 and "
                         u"2147483647.");
    } else {
        value = static_cast<int32_t>(parsed);
    }
}

void DDX_Radio(CDataExchange* dx, int id, int32_t& value) {
    const DialogTemplate* tpl = dx->Dialog()->GetTemplate();
    if (dx->Failed() || tpl == nullptr || !dx->Exchanges(id)) {
        return;
    }
    // The group runs from `id` to the control before the next one that starts a group.
    int index = 0;
    bool inGroup = false;
    for (const ControlTemplate& c : tpl->controls) {
        if (inGroup && (c.style & WS_GROUP) != 0) {
            break;
        }
        inGroup = inGroup || c.id == id;
        if (!inGroup) {
            continue;
        }
        auto* button = qobject_cast<QAbstractButton*>(dx->Dialog()->GetControlWidget(c.id));
        if (button != nullptr && button->isCheckable()) {
            if (dx->SaveAndValidate()) {
                // With no button checked (a value outside the group was shown), the member
                // keeps that value rather than losing it.
                if (button->isChecked()) {
                    value = index;
                    return;
                }
            } else {
                // An exclusive group refuses to uncheck its last checked button; a value
                // outside the group checks none.
                QButtonGroup* group = button->group();
                if (group != nullptr) {
                    group->setExclusive(false);
                }
                button->setChecked(index == value);
                if (group != nullptr) {
                    group->setExclusive(true);
                }
            }
            ++index;
        }
    }
}

void DDX_Check(CDataExchange* dx, int id, bool& value) {
    auto* box = qobject_cast<QAbstractButton*>(dx->Dialog()->GetControlWidget(id));
    if (dx->Failed() || box == nullptr || !dx->Exchanges(id)) {
        return;
    }
    if (dx->SaveAndValidate()) {
        value = box->isChecked();
    } else {
        box->setChecked(value);
    }
}

void DDX_DateTimeCtrl(CDataExchange* dx, int id, COleDateTime& value) {
    auto* picker = dynamic_cast<DateTimePickerControl*>(Control(dx, id));
    if (dx->Failed() || picker == nullptr) {
        return;
    }
    if (dx->SaveAndValidate()) {
        value = COleDateTime(picker->dateTime());
    } else if (value.GetStatus() == COleDateTime::valid) {
        picker->SetValue(value.ToQDateTime());
    }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (!dx->Failed() && dx->Exchanges(id)) {
        dx->Dialog()->BindControl(id, control);
    }
}
