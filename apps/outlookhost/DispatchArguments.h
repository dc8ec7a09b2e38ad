#pragma once

#include <ole2.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/win32/com/ComPtr.h"
#include "platform/win32/outlook/ComVariant.h"

namespace telvane::outlookhost {

using win32::ComPtr;
using win32::ComVariant;

// The arguments of one IDispatch::Invoke call on a server object, read in the order the member
// declares them (automation stores them last to first). A missing or unusable argument throws
// Failure, which the server returns as it is, without EXCEPINFO.
class DispatchArguments {
public:
    struct Failure {
        HRESULT hr;
    };

    DispatchArguments(WORD flags, DISPPARAMS& params, UINT* argError);

    // Getters arrive as DISPATCH_PROPERTYGET, from some callers with DISPATCH_METHOD as well.
    bool IsGet() const { return (m_flags & DISPATCH_PROPERTYGET) != 0; }
    bool IsMethod() const { return (m_flags & DISPATCH_METHOD) != 0; }
    bool IsPut() const { return (m_flags & DISPATCH_PROPERTYPUT) != 0; }
    // A call of a parameterless getter or method, as a caller may spell either.
    bool IsGetOrMethod() const { return IsGet() || IsMethod(); }

    // Positional arguments, without the value of a property put.
    UINT Count() const { return m_positional; }
    bool Has(UINT position) const;
    ComVariant Value(UINT position) const;
    std::int32_t Int32(UINT position) const;
    std::string Text(UINT position) const;
    // The value a property put assigns (the argument named DISPID_PROPERTYPUT).
    ComVariant PutValue() const;

private:
    const VARIANT& At(UINT position) const;
    [[noreturn]] void Fail(HRESULT hr, UINT index) const;

    WORD m_flags;
    DISPPARAMS& m_params;
    UINT* m_argError;
    UINT m_positional;
};

}  // namespace telvane::outlookhost
