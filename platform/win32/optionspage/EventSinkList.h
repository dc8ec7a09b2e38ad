#pragma once

#include <ole2.h>
#include <windows.h>

#include <map>

#include "platform/win32/com/ComPtr.h"

namespace telvane::win32 {

// The sinks advised on a connection point, by cookie.
class EventSinkList {
public:
    DWORD Add(IUnknown* sink);
    bool Remove(DWORD cookie);

private:
    std::map<DWORD, ComPtr<IUnknown>> m_sinks;
    DWORD m_nextCookie = 1;
};

}  // namespace telvane::win32
