#pragma once

#include <QIcon>

#include "dialog_template.h"

// The program's resources, linked in like the device's resource section: the templates and the
// icon are data of the program (res/), looked up by id by the platform.

// The dialog template with this id, or nullptr.
const DialogTemplate* FindDialogTemplate(UINT templateId);

// The icon resource with this id (all its images), or a null icon.
QIcon LoadIconResource(UINT iconId);
