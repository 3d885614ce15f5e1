#include "import_preview_dlg.h"

#include "data_exchange.h"
#include "resource.h"

CImportPreviewDlg::CImportPreviewDlg(CWnd* parent) : CDialog(IDD_IMPORT_PREVIEW, parent) {
    SetTitle(kImportTitle);
}

void CImportPreviewDlg::SetPreview(std::u16string preview, bool canImport) {
    m_preview = std::move(preview);
    m_canImport = canImport;
}

BOOL CImportPreviewDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    GetDlgItem(IDOK)->EnableWindow(m_canImport ? TRUE : FALSE);
    return TRUE;
}

void CImportPreviewDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Text(dx, IDC_IMPORT_PREVIEW, m_preview);
}
