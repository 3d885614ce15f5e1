#pragma once

#include <cstdint>
#include <string>

#include "column_text.h"
#include "win_types.h"

class CDialog;
class CWnd;
class COleDateTime;

// One run of a dialog's data exchange. Towards the members (save), the first control whose text
// its member cannot take stops the run: the user is told why, the control gets the focus, and
// the remaining members keep their values.
class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool saveAndValidate)
        : m_dialog(dialog), m_saveAndValidate(saveAndValidate) {}
    // Takes the one control `controlId` into its member, quietly: a text its member cannot take
    // leaves the member as it was, and nobody is told.
    static CDataExchange TakingQuietly(CDialog* dialog, int controlId);

    CDialog* Dialog() const { return m_dialog; }
    // true: controls into members; false: members into controls.
    bool SaveAndValidate() const { return m_saveAndValidate; }
    // Whether this run exchanges control `controlId`.
    bool Exchanges(int controlId) const { return m_only == 0 || m_only == controlId; }
    bool Failed() const { return m_failed; }
    void Fail(int controlId, const std::u16string& message);

private:
    CDialog* m_dialog;
    bool m_saveAndValidate;
    int m_only = 0;  // 0: every control
    bool m_failed = false;
};

void DDX_Text(CDataExchange* dx, int id, std::u16string& value);
// The same for a text laid out in `columns`: shown while it is still the text they make, its
// figures line up in their columns, the dialog widening where the control lacks room for them;
// taken back as it stands.
void DDX_Text(CDataExchange* dx, int id, std::u16string& value, const ColumnText& columns);
// Shown in the shortest form of 15 significant digits ("%.15g"); taken back only when the text
// is a finite decimal number.
void DDX_Text(CDataExchange* dx, int id, double& value);
void DDX_Text(CDataExchange* dx, int id, int32_t& value);
// The index of the checked button of the radio group that starts at `id`. A value that names
// no button of the group checks none, and is kept when none is checked.
void DDX_Radio(CDataExchange* dx, int id, int32_t& value);
// Whether the check box `id` is checked.
void DDX_Check(CDataExchange* dx, int id, bool& value);
void DDX_DateTimeCtrl(CDataExchange* dx, int id, COleDateTime& value);
// Binds a control wrapper to the dialog's control.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
