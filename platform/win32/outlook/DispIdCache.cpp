#include "platform/win32/outlook/DispIdCache.h"

#include "platform/win32/com/TextConversion.h"
#include "platform/win32/outlook/ComError.h"

namespace telvane::win32 {

DISPID DispIdCache::Find(ObjectKind kind, IDispatch* object, const std::string& name) {
    auto key = std::make_pair(kind, name);
    if (auto found = m_named.find(key); found != m_named.end())
        return found->second;
    const std::wstring wide = com::WideFromUtf8(name);
    DISPID id = Look(object, wide.c_str(), name);
    m_named.emplace(std::move(key), id);
    return id;
}

DISPID DispIdCache::Look(IDispatch* object, const wchar_t* wide, std::string_view name) {
    // GetIDsOfNames does not change the names; the interface declares them writable.
    LPOLESTR names[] = {const_cast<LPOLESTR>(wide)};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        RaiseComError(hr, nullptr, name);
    return id;
}

}  // namespace telvane::win32
