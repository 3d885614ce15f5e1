#pragma once

#include "dialog_template.h"

// Builders of the program's dialog templates, one per dialog; ProgramResources builds each
// once into the table the program hands to the platform.

DialogTemplate BuildMainTemplate();           // 102, the main dialog
DialogTemplate BuildEntryTemplate();          // 129, the record entry dialog
DialogTemplate BuildStatsTemplate();          // 130, the statistics dialog
DialogTemplate BuildKeypadTemplate();         // 131, the numeric keypad
DialogTemplate BuildKeyboardTemplate();       // 132, the on-screen keyboard
DialogTemplate BuildConfirmTemplate();        // 133, the confirmation box
DialogTemplate BuildImportPreviewTemplate();  // 140, what an import will do
DialogTemplate BuildLogSettingsTemplate();    // 142, the log's units and currency
