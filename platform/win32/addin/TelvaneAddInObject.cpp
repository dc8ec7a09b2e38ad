// Product headers come before <windows.h>: cRegistry's constants share names with its macros.
#include "addin/TelvaneAddIn.h"

#include "platform/win32/addin/TelvaneAddInObject.h"

#include "platform/win32/addin/AddInProcess.h"
#include "platform/win32/com/ComBoundary.h"
#include "platform/win32/com/ModuleTypeLibrary.h"

namespace telvane::win32 {

TelvaneAddInObject::TelvaneAddInObject()
    : m_addIn(std::make_unique<telvane::TelvaneAddIn>(AddInProcess::Library())) {}

TelvaneAddInObject::~TelvaneAddInObject() = default;

HRESULT TelvaneAddInObject::InterfaceSupportsErrorInfo(REFIID iid) {
    return iid == __uuidof(_TelvaneAddIn) ? S_OK : S_FALSE;
}

HRESULT TelvaneAddInObject::GetClassInfo(ITypeInfo** info) {
    if (!info)
        return E_POINTER;
    *info = nullptr;
    ComPtr<ITypeInfo> classInfo;
    const HRESULT hr = com::ComBoundary::Call(
        [&] { return com::ModuleTypeLibrary::TypeInfoOf(__uuidof(::TelvaneAddIn), classInfo); });
    if (FAILED(hr))
        return hr;
    return classInfo.CopyTo(info);
}

void* TelvaneAddInObject::FindInterface(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(_TelvaneAddIn)) {
        return static_cast<_TelvaneAddIn*>(this);
    }
    if (iid == IID_ISupportErrorInfo)
        return static_cast<ISupportErrorInfo*>(this);
    if (iid == IID_IProvideClassInfo)
        return static_cast<IProvideClassInfo*>(this);
    return nullptr;
}

}  // namespace telvane::win32
