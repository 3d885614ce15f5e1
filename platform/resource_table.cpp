#include "resource_table.h"

#include <QPixmap>

namespace {

const ResourceTable* g_resources = nullptr;

}  // namespace

const DialogTemplate* ResourceTable::FindDialog(UINT templateId) const {
    for (const DialogTemplate& t : dialogs) {
        if (t.id == templateId) {
            return &t;
        }
    }
    return nullptr;
}

const IconResource* ResourceTable::FindIcon(UINT iconId) const {
    for (const IconResource& icon : icons) {
        if (icon.id == iconId) {
            return &icon;
        }
    }
    return nullptr;
}

void AfxSetResourceTable(const ResourceTable* table) {
    g_resources = table;
}

const DialogTemplate* FindDialogTemplate(UINT templateId) {
    return g_resources == nullptr ? nullptr : g_resources->FindDialog(templateId);
}

QIcon LoadIconResource(UINT iconId) {
    const IconResource* resource = g_resources == nullptr ? nullptr : g_resources->FindIcon(iconId);
    QIcon icon;
    if (resource != nullptr) {
        for (const QImage& image : resource->images()) {
            icon.addPixmap(QPixmap::fromImage(image));
        }
    }
    return icon;
}
