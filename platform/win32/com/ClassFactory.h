#pragma once

#include <ole2.h>
#include <windows.h>

#include <span>

#include "platform/win32/com/ComObject.h"

namespace telvane::win32::com {

// Creates a new object and answers iid on it.
using ObjectCreator = HRESULT (*)(REFIID iid, void** object);

// One creatable class of a server.
struct ClassEntry {
    const CLSID* clsid;
    ObjectCreator create;
};

template <class T>
HRESULT CreateComObject(REFIID iid, void** object) {
    return MakeComObject<T>()->QueryInterface(iid, object);
}

// The class factory of every class of a server; no aggregation.
class ClassFactory : public ComObject<IClassFactory> {
public:
    explicit ClassFactory(ObjectCreator create) : m_create(create) {}

    // DllGetClassObject: a factory for the class of table named by clsid.
    static HRESULT GetClassObject(std::span<const ClassEntry> table, REFCLSID clsid, REFIID iid,
                                  void** object);

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

protected:
    void* FindInterface(REFIID iid) override;

private:
    ObjectCreator m_create;
};

}  // namespace telvane::win32::com
