#include "resources.h"

#include "templates.h"

const DialogTemplate* FindDialogTemplate(UINT templateId) {
    static const DialogTemplate kTemplates[] = {
        BuildMainTemplate(),   BuildEntryTemplate(),    BuildStatsTemplate(),
        BuildKeypadTemplate(), BuildKeyboardTemplate(), BuildConfirmTemplate(),
    };
    for (const DialogTemplate& t : kTemplates) {
        if (t.id == templateId) {
            return &t;
        }
    }
    return nullptr;
}
