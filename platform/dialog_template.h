#pragma once

#include <string_view>
#include <vector>

#include "win_types.h"

// A dialog template as the device's resource compiler would hold it: the dialog's frame, font
// and size, then its controls in template (tab) order. Rectangles are in dialog units.

enum class ControlClass { Button, Edit, Static, ListView, DateTimePicker, ComboBox };

// The edges of a dialog a control keeps its distance to as the dialog grows (resized by the user,
// or widened for a text): left and top unless said otherwise; anchored to both edges of a pair,
// it stretches with the dialog.
enum Anchor : unsigned {
    AnchorLeft = 1,
    AnchorTop = 2,
    AnchorRight = 4,
    AnchorBottom = 8,
    AnchorTopLeft = AnchorLeft | AnchorTop,
    AnchorTopRight = AnchorRight | AnchorTop,
    AnchorAll = AnchorLeft | AnchorTop | AnchorRight | AnchorBottom,
};

struct ControlTemplate {
    int id;  // IDC_STATIC (-1) for a control without an id of its own
    ControlClass cls;
    std::u16string_view text;
    int x, y, cx, cy;
    DWORD style;
    DWORD exStyle = 0;
    // What a screen reader announces for a control that shows no text of its own.
    std::u16string_view accessibleName = {};
    unsigned anchors = AnchorTopLeft;
};

struct DialogTemplate {
    UINT id;
    DWORD style;
    DWORD exStyle;
    int cx, cy;
    std::u16string_view fontName;
    int pointSize;
    std::u16string_view title;
    std::vector<ControlTemplate> controls;

    const ControlTemplate* FindControl(int controlId) const {
        for (const ControlTemplate& c : controls) {
            if (c.id == controlId && controlId != IDC_STATIC) {
                return &c;
            }
        }
        return nullptr;
    }
};
