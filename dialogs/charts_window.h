#pragma once

#include <cstddef>

#include <QWidget>

#include "log_record.h"

class QLabel;
class QStackedWidget;
class QTabWidget;
class SpendingChartView;
class TimeChartView;

// The log as charts, in a resizable window of its own beside the main dialog: km/L of every
// fill-up with its moving average, the yen spent per month on fuel and on everything else, and
// the price per litre, one chart per tab. A log with fewer than two fill-ups shows a sentence
// instead. Escape closes the window; it is only hidden, so its owner can show it again.
class ChartsWindow : public QWidget {
public:
    // `owner` is the window that opens the charts: they close with it and stay above it.
    explicit ChartsWindow(QWidget* owner);

    // Draws `book` (records newest first, recomputed) in its units, the economy as `economy`
    // shows it, replacing what was drawn. Called after every read of the log file and every
    // change of the economy shown, so that the charts follow the log.
    void ShowLog(const LogBook& book, Economy economy = Economy::DistancePerQuantity);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The titles of the axes, lines and tabs in the units of the log shown.
    void NameUnits();

    QStackedWidget* m_pages;
    QLabel* m_fewFillUps;
    QTabWidget* m_tabs;
    TimeChartView* m_economy;
    std::size_t m_kmPerL;
    std::size_t m_average;
    SpendingChartView* m_spending;
    TimeChartView* m_prices;
    std::size_t m_yenPerL;
    LogUnits m_units;  // and economy, as the titles now name them
    Economy m_shownEconomy = Economy::DistancePerQuantity;
    QLabel* m_leftOut;
};
