#pragma once

#include <cstdint>
#include <string>

#include "cdialog.h"
#include "log_units.h"

// File > Log settings...: the odometer's distance, the fuel's quantity and the currency of the
// log. A log without entries takes any; one with entries has its distance and quantity converted,
// and keeps its currency, which is then shown but cannot be typed into.
class CLogSettingsDlg : public CDialog {
public:
    explicit CLogSettingsDlg(CWnd* parent = nullptr);

    // Load before the modal run: the log's units and how many entries it holds.
    void SetLog(const LogUnits& units, int32_t entries);
    // Read after the modal run ended with IDOK.
    LogUnits GetUnits() const;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    LogUnits m_units;
    int32_t m_entries = 0;
    int32_t m_distance = 0;  // index of the DistanceUnit
    int32_t m_quantity = 0;  // index of the QuantityUnit
    std::u16string m_currency;
    std::u16string m_note;
};
