#pragma once

#include <cstddef>
#include <type_traits>

#include "win_types.h"

class CWnd;

// A message map: a static table per dialog class from (message, notification code, control id
// range) to a handler, chained to the base class's table. The first matching entry along the
// chain handles the notification.

struct MessageMapEntry {
    UINT message;  // WM_COMMAND or WM_NOTIFY
    int code;      // the notification code
    int idFirst;
    int idLast;
    // Calls the handler on `target`; `nm` and `result` are set for WM_NOTIFY only.
    void (*invoke)(CWnd* target, int id, NMHDR* nm, LRESULT* result);
};

struct MessageMap {
    const MessageMap* base;
    const MessageMapEntry* entries;
    std::size_t count;

    // The entry that handles (message, code, id), searching this table then its bases.
    const MessageMapEntry* Find(UINT message, int code, int id) const {
        for (const MessageMap* map = this; map != nullptr; map = map->base) {
            for (std::size_t i = 0; i < map->count; ++i) {
                const MessageMapEntry& e = map->entries[i];
                if (e.message == message && e.code == code && id >= e.idFirst && id <= e.idLast) {
                    return &e;
                }
            }
        }
        return nullptr;
    }
};

namespace message_map_detail {

template <typename T>
struct MemberOf;
template <typename C, typename R, typename... A>
struct MemberOf<R (C::*)(A...)> {
    using Class = C;
};

// One thunk per handler shape: void(), void(UINT id) and void(NMHDR*, LRESULT*).
template <auto Handler>
void Invoke(CWnd* target, int id, NMHDR* nm, LRESULT* result) {
    using Class = typename MemberOf<decltype(Handler)>::Class;
    auto* self = static_cast<Class*>(target);
    if constexpr (std::is_invocable_v<decltype(Handler), Class*>) {
        (void)id, (void)nm, (void)result;
        (self->*Handler)();
    } else if constexpr (std::is_invocable_v<decltype(Handler), Class*, UINT>) {
        (void)nm, (void)result;
        (self->*Handler)(static_cast<UINT>(id));
    } else {
        (void)id;
        (self->*Handler)(nm, result);
    }
}

}  // namespace message_map_detail

template <auto Handler>
constexpr MessageMapEntry OnCommand(int code, int id) {
    return {WM_COMMAND, code, id, id, &message_map_detail::Invoke<Handler>};
}

// One handler for a range of control ids; it receives the id.
template <auto Handler>
constexpr MessageMapEntry OnCommandRange(int code, int idFirst, int idLast) {
    return {WM_COMMAND, code, idFirst, idLast, &message_map_detail::Invoke<Handler>};
}

template <auto Handler>
constexpr MessageMapEntry OnNotify(int code, int id) {
    return {WM_NOTIFY, code, id, id, &message_map_detail::Invoke<Handler>};
}

// Each entry macro ends with its own comma, so a map lists its entries one a line, unseparated.
#define ON_BN_CLICKED(id, handler) OnCommand<handler>(BN_CLICKED, id),
#define ON_EN_SETFOCUS(id, handler) OnCommand<handler>(EN_SETFOCUS, id),
#define ON_CBN_SELCHANGE(id, handler) OnCommand<handler>(CBN_SELCHANGE, id),
#define ON_CONTROL_RANGE(code, first, last, handler) OnCommandRange<handler>(code, first, last),
#define ON_NOTIFY(code, id, handler) OnNotify<handler>(code, id),

// Declares a class's message map; define it with BEGIN_MESSAGE_MAP / END_MESSAGE_MAP. A class
// without entries of its own declares none and uses its base class's map.
#define DECLARE_MESSAGE_MAP()                          \
public:                                                \
    static const MessageMap* GetThisMessageMap();      \
                                                       \
protected:                                             \
    const MessageMap* GetMessageMap() const override { \
        return GetThisMessageMap();                    \
    }

#define BEGIN_MESSAGE_MAP(theClass, baseClass)        \
    const MessageMap* theClass::GetThisMessageMap() { \
        using TheBaseClass = baseClass;               \
        static const MessageMapEntry kEntries[] = {
#define END_MESSAGE_MAP()                                                        \
    }                                                                            \
    ;                                                                            \
    static const MessageMap kMap = {TheBaseClass::GetThisMessageMap(), kEntries, \
                                    sizeof(kEntries) / sizeof(kEntries[0])};     \
    return &kMap;                                                                \
    }
