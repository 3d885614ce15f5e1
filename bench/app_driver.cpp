#include "app_driver.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QString>
#include <QTreeView>

#include "entry_dlg.h"
#include "log_app.h"
#include "resource.h"

AppDriver::AppDriver() : previous_(SetModalHook(this)) {}

AppDriver::~AppDriver() {
    SetModalHook(previous_);
}

void AppDriver::Run(const std::function<void(CLogDlg&)>& body) {
    body_ = body;
    CLogApp app;
    app.InitInstance();
}

void AppDriver::RunModal(CDialog& dialog) {
    switch (dialog.GetTemplateId()) {
        case IDD_TARVO_DIALOG:
            body_(static_cast<CLogDlg&>(dialog));
            dialog.EndDialog(IDOK);
            return;
        case IDD_ENTRY: {
            auto& entryDialog = static_cast<CEntryDlg&>(dialog);
            entryDialog.SetRecord(entry);
            entryDialog.UpdateData(FALSE);
            ClickButton(dialog, IDOK);
            return;
        }
        case IDD_CONFIRM:
            ClickButton(dialog, IDOK);
            return;
        default:
            trouble_ = "dialog " + std::to_string(dialog.GetTemplateId()) + " opened";
            dialog.EndDialog(IDCANCEL);
    }
}

int AppDriver::RunMessageBox(QMessageBox& /*box*/, const std::u16string& text, UINT /*type*/) {
    trouble_ = QString::fromStdU16String(text).toStdString();
    return IDOK;
}

void ClickButton(CDialog& dialog, int id) {
    static_cast<QAbstractButton*>(dialog.GetControlWidget(id))->click();
}

namespace {
QTreeView* List(CDialog& dialog) {
    return static_cast<QTreeView*>(dialog.GetControlWidget(IDC_LOG_LIST));
}
}  // namespace

void ClickHeader(CDialog& dialog, int column) {
    // What a click on the header section sends.
    emit List(dialog)->header()->sectionClicked(column);
}

void ClickRow(CDialog& dialog, int row) {
    QTreeView* list = List(dialog);
    const QModelIndex index = list->model()->index(row, 0);
    list->selectionModel()->select(index,
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    NMHDR nm;
    nm.idFrom = IDC_LOG_LIST;
    nm.code = NM_CLICK;
    dialog.SendNotify(WM_NOTIFY, NM_CLICK, IDC_LOG_LIST, &nm);
}
