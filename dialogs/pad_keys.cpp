#include "pad_keys.h"

BOOL PressPadKey(CDialog& pad, int displayId, int focusedId, UINT vkey, int key) {
    if (focusedId == displayId || (focusedId == IDCANCEL && vkey == VK_RETURN) ||
        key == IDC_STATIC) {
        return FALSE;
    }
    pad.SendNotify(WM_COMMAND, BN_CLICKED, key);
    return TRUE;
}
