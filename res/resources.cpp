#include "resources.h"

#include <QPixmap>

#include "app_icon.h"
#include "resource.h"
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

QIcon LoadIconResource(UINT iconId) {
    QIcon icon;
    if (iconId == IDR_MAINFRAME) {
        for (const QImage& image : AppIconResourceImages()) {
            icon.addPixmap(QPixmap::fromImage(image));
        }
    }
    return icon;
}
