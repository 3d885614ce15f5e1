#pragma once

#include <cstdint>
#include <string>

#include "cdialog.h"
#include "log_record.h"
#include "log_stats.h"

// "Mileage Statistics": shows the eight-line report on the log in an edit, its figures lined up
// in columns. The edit can be typed into; whatever is typed there goes with the dialog.
class CStatsDlg : public CDialog {
public:
    explicit CStatsDlg(CWnd* parent = nullptr);

    // Runs the statistics pass over `count` records sorted newest first and composes the report
    // in the log's `units`, the economy shown as `economy` asks. Below two records there is
    // nothing to tell: the report stays empty, the pass does not run.
    void BuildReport(const LogRecord* records, int32_t count, const LogUnits& units = LogUnits{},
                     Economy economy = Economy::DistancePerQuantity);

    const std::u16string& GetReport() const { return m_report; }
    const LogStats& GetStats() const { return m_stats; }

protected:
    void DoDataExchange(CDataExchange* dx) override;

private:
    std::u16string m_report;
    // The report's words and figures, of which m_report is the text.
    ColumnText m_columns;
    LogStats m_stats;
};
