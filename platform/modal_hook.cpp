#include "modal_hook.h"

namespace {
ModalHook* g_hook = nullptr;
}

ModalHook* SetModalHook(ModalHook* hook) {
    ModalHook* previous = g_hook;
    g_hook = hook;
    return previous;
}

ModalHook* GetModalHook() {
    return g_hook;
}
