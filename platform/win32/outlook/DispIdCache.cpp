#include "platform/win32/outlook/DispIdCache.h"

#include "platform/win32/outlook/Bstr.h"
#include "platform/win32/outlook/ComError.h"

namespace telvane::win32 {

DISPID DispIdCache::Find(ObjectKind kind, IDispatch* object, const std::string& name) {
    auto key = std::make_pair(kind, name);
    if (auto found = m_ids.find(key); found != m_ids.end())
        return found->second;
    std::wstring wide = Bstr::ToWide(name);
    LPOLESTR names[] = {wide.data()};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        RaiseComError(hr, nullptr, name);
    m_ids.emplace(std::move(key), id);
    return id;
}

}  // namespace telvane::win32
