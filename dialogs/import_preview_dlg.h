#pragma once

#include <string>

#include "cdialog.h"

// The title of the import's windows: its preview and its questions.
inline constexpr char16_t kImportTitle[] = u"Import from file";

// What an import will do, before anything is written: the entries it adds, the rows already in
// the log, every row it cannot place and why, the conversions it makes. Import goes on, Cancel
// writes nothing. With nothing to add, only Cancel is offered.
class CImportPreviewDlg : public CDialog {
public:
    explicit CImportPreviewDlg(CWnd* parent = nullptr);
    void SetPreview(std::u16string preview, bool canImport);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    std::u16string m_preview;
    bool m_canImport = true;
};
