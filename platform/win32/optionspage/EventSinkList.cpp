#include "platform/win32/optionspage/EventSinkList.h"

namespace telvane::win32 {

DWORD EventSinkList::Add(IUnknown* sink) {
    const DWORD cookie = m_nextCookie++;
    m_sinks.emplace(cookie, ComPtr<IUnknown>(sink));
    return cookie;
}

bool EventSinkList::Remove(DWORD cookie) {
    return m_sinks.erase(cookie) != 0;
}

}  // namespace telvane::win32
