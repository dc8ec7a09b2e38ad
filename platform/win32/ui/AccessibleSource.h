#pragma once

#include <windows.h>

#include <string>

namespace telvane::win32 {

// What a control tells a screen reader beyond what Windows finds in its window: answers for
// the control itself (child 0) or for one of its entries (child 1 and on, simple elements).
// A method that does not answer (false, or -1 children) leaves the system's own answer.
class AccessibleSource {
public:
    virtual ~AccessibleSource() = default;

    virtual long AccessibleChildren() const { return -1; }
    virtual bool AccessibleName(long child, std::wstring& name) const = 0;
    virtual bool AccessibleRole(long child, long& role) const = 0;
    virtual bool AccessibleState(long child, long& state) const {
        static_cast<void>(child);
        static_cast<void>(state);
        return false;
    }
    // In screen coordinates.
    virtual bool AccessibleLocation(long child, RECT& place) const {
        static_cast<void>(child);
        static_cast<void>(place);
        return false;
    }
};

}  // namespace telvane::win32
