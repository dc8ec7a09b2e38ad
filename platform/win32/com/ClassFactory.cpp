#include "platform/win32/com/ClassFactory.h"

#include "platform/win32/com/ComBoundary.h"

namespace telvane::win32::com {

HRESULT ClassFactory::GetClassObject(std::span<const ClassEntry> table, REFCLSID clsid, REFIID iid,
                                     void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    for (const ClassEntry& entry : table) {
        if (*entry.clsid == clsid) {
            return ComBoundary::Call([&] {
                return MakeComObject<ClassFactory>(entry.create)->QueryInterface(iid, object);
            });
        }
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    return ComBoundary::Call([&] { return m_create(iid, object); });
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    if (lock) {
        ServerModule::Lock();
    } else {
        ServerModule::Unlock();
    }
    return S_OK;
}

void* ClassFactory::FindInterface(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IClassFactory)
        return static_cast<IClassFactory*>(this);
    return nullptr;
}

}  // namespace telvane::win32::com
