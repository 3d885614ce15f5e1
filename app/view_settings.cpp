#include "view_settings.h"

#include <QSettings>
#include <QVariantList>

namespace {

// How the economy choice is kept: words, so that the file reads plainly.
constexpr char kPerQuantity[] = "distance-per-quantity";
constexpr char kPer100Distance[] = "quantity-per-100-distance";

}  // namespace

ViewSettings LoadViewSettings() {
    QSettings store(QStringLiteral("Tarvo"), QStringLiteral("Tarvo"));
    ViewSettings settings;
    settings.markDueReminders = store.value(QStringLiteral("view/markDueReminders"), true).toBool();
    settings.economy =
        store.value(QStringLiteral("view/economy")).toString() == QLatin1String(kPer100Distance)
            ? Economy::QuantityPer100Distance
            : Economy::DistancePerQuantity;
    settings.windowGeometry = store.value(QStringLiteral("window/geometry")).toByteArray();
    for (const QVariant& kept : store.value(QStringLiteral("list/columnWidths")).toList()) {
        bool number = false;
        const int width = kept.toInt(&number);
        settings.columnWidths.push_back(
            number && width >= kLeastKeptColumnWidth && width <= kMostKeptColumnWidth ? width : -1);
    }
    settings.lastVehicle = store.value(QStringLiteral("vehicles/last")).toString().toStdString();
    return settings;
}

void SaveLastVehicle(const std::string& logFileName) {
    QSettings store(QStringLiteral("Tarvo"), QStringLiteral("Tarvo"));
    store.setValue(QStringLiteral("vehicles/last"), QString::fromStdString(logFileName));
}

void SaveViewSettings(const ViewSettings& settings) {
    QSettings store(QStringLiteral("Tarvo"), QStringLiteral("Tarvo"));
    store.setValue(QStringLiteral("view/markDueReminders"), settings.markDueReminders);
    store.setValue(
        QStringLiteral("view/economy"),
        QLatin1String(settings.economy == Economy::QuantityPer100Distance ? kPer100Distance
                                                                          : kPerQuantity));
    store.setValue(QStringLiteral("window/geometry"), settings.windowGeometry);
    QVariantList widths;
    for (int width : settings.columnWidths) {
        widths.append(width);
    }
    store.setValue(QStringLiteral("list/columnWidths"), widths);
}
