#pragma once

#include <memory>

#include "Telvane.h"
#include "platform/win32/com/ComObject.h"
#include "platform/win32/com/DispatchImpl.h"

namespace telvane {
class TelvaneAddIn;
}

namespace telvane::win32 {

// The COM class Telvane.TelvaneAddIn: creatable, with a default interface that has no members.
// It holds a portable TelvaneAddIn, never attached: only TLConnect attaches one.
class TelvaneAddInObject final : public com::ComObject<com::DispatchImpl<_TelvaneAddIn>,
                                                       ISupportErrorInfo, IProvideClassInfo> {
public:
    TelvaneAddInObject();
    ~TelvaneAddInObject() override;

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;

protected:
    void* FindInterface(REFIID iid) override;

private:
    std::unique_ptr<telvane::TelvaneAddIn> m_addIn;
};

}  // namespace telvane::win32
