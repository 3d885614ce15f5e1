#include "charts_window.h"

#include <QKeyEvent>
#include <QLabel>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include "chart_data.h"
#include "money_text.h"
#include "qt_text.h"
#include "screen_fit.h"
#include "spending_chart.h"
#include "time_chart.h"
#include "utf8.h"

ChartsWindow::ChartsWindow(QWidget* owner)
    : QWidget(owner, Qt::Window),
      m_pages(new QStackedWidget),
      m_fewFillUps(new QLabel),
      m_tabs(new QTabWidget),
      m_economy(new TimeChartView(u"km/L")),
      m_kmPerL(m_economy->AddLine(u"km/L of each fill-up", u"km/L", true)),
      m_average(m_economy->AddLine(u"Average of the last 5 fill-ups", u"km/L average", false)),
      m_spending(new SpendingChartView),
      m_prices(new TimeChartView(u"\\/L")),
      m_yenPerL(m_prices->AddLine(u"Price per litre of each entry with fuel", u"\\/L", true)),
      m_leftOut(new QLabel) {
    setObjectName(QStringLiteral("chartsWindow"));
    setWindowTitle(ToQString(u"Tarvo - Charts"));
    setMinimumSize(450, 300);
    resize(900, 600);
    // Over the window that opened it, and wholly on that window's screen.
    if (owner != nullptr) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(owner->window()->frameGeometry().center());
        move(frame.topLeft());
    }
    KeepOnScreen(this);

    m_economy->setObjectName("economyChart");
    m_spending->setObjectName("spendingChart");
    m_prices->setObjectName("priceChart");
    m_tabs->addTab(m_economy, ToQString(u"km/L"));
    m_tabs->addTab(m_spending, ToQString(u"Spending per month"));
    m_tabs->addTab(m_prices, ToQString(u"Price per litre"));

    m_fewFillUps->setObjectName("fewFillUps");
    m_fewFillUps->setAlignment(Qt::AlignCenter);
    m_fewFillUps->setWordWrap(true);
    m_pages->addWidget(m_fewFillUps);
    m_pages->addWidget(m_tabs);

    m_leftOut->setObjectName("leftOut");
    m_leftOut->setWordWrap(true);
    m_leftOut->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addWidget(m_leftOut);
}

void ChartsWindow::NameUnits() {
    const std::u16string economy = Utf8ToUtf16(EconomyUnit(m_units, m_shownEconomy));
    const std::u16string quantity = Utf8ToUtf16(QuantitySymbol(m_units.quantity));
    const std::u16string price = CurrencyMark(m_units.currency) + u"/" + quantity;
    // "Price per litre" as it always read; other units by their symbol.
    const std::u16string perQuantity =
        m_units.quantity == QuantityUnit::Litres ? u"Price per litre" : u"Price per " + quantity;
    m_economy->SetValueTitle(economy);
    m_economy->NameLine(m_kmPerL, economy + u" of each fill-up", economy);
    m_economy->NameLine(m_average, u"Average of the last 5 fill-ups", economy + u" average");
    m_prices->SetValueTitle(price);
    m_prices->NameLine(m_yenPerL, perQuantity + u" of each entry with fuel", price);
    m_tabs->setTabText(m_tabs->indexOf(m_economy), ToQString(economy));
    m_tabs->setTabText(m_tabs->indexOf(m_prices), ToQString(perQuantity));
}

void ChartsWindow::ShowLog(const LogBook& book, Economy economy) {
    if (book.units != m_units || economy != m_shownEconomy) {
        m_units = book.units;
        m_shownEconomy = economy;
        NameUnits();
    }
    ChartData data = BuildChartData(book, economy);
    if (data.fillUps < kMinFillUpsForCharts) {
        m_fewFillUps->setText(ToQString(FewFillUpsSentence(data.fillUps)));
        m_pages->setCurrentWidget(m_fewFillUps);
        m_leftOut->hide();
        return;
    }
    m_economy->SetPoints(m_kmPerL, std::move(data.kmPerL));
    m_economy->SetPoints(m_average, std::move(data.kmPerLAverage));
    m_spending->SetMonths(std::move(data.months), book.units.currency);
    m_prices->SetPoints(m_yenPerL, std::move(data.yenPerL));
    m_pages->setCurrentWidget(m_tabs);
    const QString note = ToQString(LeftOutNote(data));
    m_leftOut->setText(note);
    m_leftOut->setVisible(!note.isEmpty());
}

void ChartsWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
