#pragma once

#include <algorithm>
#include <stdexcept>
#include <string>

#include "program_resources.h"

// Test helpers over the program's templates.

// The template with this id; a missing one fails the test through the exception.
inline const DialogTemplate& TemplateOf(UINT id) {
    const DialogTemplate* t = ProgramResources().FindDialog(id);
    if (t == nullptr) {
        throw std::runtime_error("no dialog template " + std::to_string(id));
    }
    return *t;
}

// The control with this id in template `dialog`; a missing one fails the test.
inline const ControlTemplate& ControlOf(UINT dialog, int id) {
    const ControlTemplate* c = TemplateOf(dialog).FindControl(id);
    if (c == nullptr) {
        throw std::runtime_error("no control " + std::to_string(id) + " in template " +
                                 std::to_string(dialog));
    }
    return *c;
}

// How deep two controls' rectangles overlap: the smaller of the overlap's width and height,
// 0 or less when they do not overlap. Neighbouring buttons may share a one-unit border line.
inline int OverlapDepth(const ControlTemplate& a, const ControlTemplate& b) {
    const int width = std::min(a.x + a.cx, b.x + b.cx) - std::max(a.x, b.x);
    const int height = std::min(a.y + a.cy, b.y + b.cy) - std::max(a.y, b.y);
    return std::min(width, height);
}
