#pragma once

#include "message_map.h"

// The root of everything that has a message map. Its own map is empty and ends every chain.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    static const MessageMap* GetThisMessageMap() {
        static const MessageMap kEmpty = {nullptr, nullptr, 0};
        return &kEmpty;
    }

protected:
    virtual const MessageMap* GetMessageMap() const { return GetThisMessageMap(); }
};
