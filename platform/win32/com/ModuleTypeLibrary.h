#pragma once

#include <ole2.h>
#include <windows.h>

#include <span>

#include "platform/win32/com/ComPtr.h"

namespace telvane::win32::com {

// The type library embedded in this module as resource 1 TYPELIB.
class ModuleTypeLibrary {
public:
    static HRESULT Load(ComPtr<ITypeLib>& library);
    static HRESULT TypeInfoOf(REFGUID guid, ComPtr<ITypeInfo>& info);

    // RegisterTypeLib for the embedded library. foreignInterfaces are interfaces it declares
    // that another library owns (the add-in designer's IDTExtensibility2): an existing
    // registration of theirs that names that library is kept as it was.
    static HRESULT Register(std::span<const IID> foreignInterfaces);
    // UnRegisterTypeLib; S_OK when the library is not registered. Keeps foreign registrations.
    static HRESULT Unregister(std::span<const IID> foreignInterfaces);
};

}  // namespace telvane::win32::com
