#include "program_resources.h"

#include "app_icon.h"
#include "resource.h"
#include "templates.h"

const ResourceTable& ProgramResources() {
    static const ResourceTable kResources = {
        {
            BuildMainTemplate(),
            BuildEntryTemplate(),
            BuildStatsTemplate(),
            BuildKeypadTemplate(),
            BuildKeyboardTemplate(),
            BuildConfirmTemplate(),
            BuildImportPreviewTemplate(),
            BuildLogSettingsTemplate(),
        },
        {
            {IDR_MAINFRAME, &AppIconResourceImages},
        },
    };
    return kResources;
}
