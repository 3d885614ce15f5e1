#include "stats_dlg.h"

#include "data_exchange.h"
#include "resource.h"

CStatsDlg::CStatsDlg(CWnd* parent) : CDialog(IDD_STATS, parent) {
    SetTitle(u"Statistics");
}

void CStatsDlg::BuildReport(const LogRecord* records, int32_t count, const LogUnits& units,
                            Economy economy) {
    if (count < 2) {
        return;
    }
    ComputeStats(m_stats, records, count);
    m_columns = StatsReportColumns(m_stats, records[count - 1], units, economy);
    m_report = JoinColumnText(m_columns);
}

void CStatsDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Text(dx, IDC_REPORT, m_report, m_columns);
}
