#pragma once

#include <ole2.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <utility>

#include "platform/win32/com/ComPtr.h"
#include "platform/win32/com/ServerModule.h"

namespace telvane::win32::com {

// Reference counting and QueryInterface for an object implementing Interfaces; the object
// keeps its module loaded while it lives. The derived class names the interface for each IID.
template <class... Interfaces>
class ComObject : public Interfaces... {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;
    virtual ~ComObject() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        *object = FindInterface(iid);
        if (!*object)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_references;
        // The last reference owns the object.
        if (left == 0)
            std::unique_ptr<ComObject> last(this);
        return left;
    }

protected:
    // The interface pointer answering iid (IUnknown included), or null.
    virtual void* FindInterface(REFIID iid) = 0;

private:
    std::atomic<ULONG> m_references{1};
    ModuleLock m_lock;
};

// Creates a COM object; the result holds its first reference.
template <class T, class... Args>
ComPtr<T> MakeComObject(Args&&... args) {
    return ComPtr<T>::Adopt(std::make_unique<T>(std::forward<Args>(args)...).release());
}

}  // namespace telvane::win32::com
