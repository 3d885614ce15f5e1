#pragma once

#include <vector>

#include <QIcon>
#include <QImage>

#include "dialog_template.h"

// The program's resources, as the device's resource section holds them: its dialog templates
// and its icons, found by id. The program hands its table to the platform at start (the entry
// point takes it); the platform looks everything up there and names nothing of the program's.

struct IconResource {
    UINT id;
    // The icon's images, drawn when a window first asks for the icon.
    std::vector<QImage> (*images)();
};

struct ResourceTable {
    std::vector<DialogTemplate> dialogs;
    std::vector<IconResource> icons;

    const DialogTemplate* FindDialog(UINT templateId) const;
    const IconResource* FindIcon(UINT iconId) const;
};

// Makes `table` the one the platform looks in (nullptr: none). It must outlive every dialog.
void AfxSetResourceTable(const ResourceTable* table);

// The dialog template with this id in the program's table, or nullptr.
const DialogTemplate* FindDialogTemplate(UINT templateId);

// The icon resource with this id (all its images), or a null icon.
QIcon LoadIconResource(UINT iconId);
