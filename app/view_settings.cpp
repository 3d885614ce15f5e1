#include "view_settings.h"

#include <QSettings>
#include <QVariantList>

ViewSettings LoadViewSettings() {
    QSettings store(QStringLiteral("Tarvo"), QStringLiteral("Tarvo"));
    ViewSettings settings;
    settings.markDueReminders = store.value(QStringLiteral("view/markDueReminders"), true).toBool();
    settings.windowGeometry = store.value(QStringLiteral("window/geometry")).toByteArray();
    for (const QVariant& kept : store.value(QStringLiteral("list/columnWidths")).toList()) {
        bool number = false;
        const int width = kept.toInt(&number);
        settings.columnWidths.push_back(
            number && width >= kLeastKeptColumnWidth && width <= kMostKeptColumnWidth ? width : -1);
    }
    return settings;
}

void SaveViewSettings(const ViewSettings& settings) {
    QSettings store(QStringLiteral("Tarvo"), QStringLiteral("Tarvo"));
    store.setValue(QStringLiteral("view/markDueReminders"), settings.markDueReminders);
    store.setValue(QStringLiteral("window/geometry"), settings.windowGeometry);
    QVariantList widths;
    for (int width : settings.columnWidths) {
        widths.append(width);
    }
    store.setValue(QStringLiteral("list/columnWidths"), widths);
}
