#pragma once

#include <ole2.h>
#include <windows.h>

#include <vector>

namespace telvane::win32::test {

// A fake COM object that lives on a test's stack: it counts references instead of owning
// itself, so a test can check that everything handed out was given back, and it records every
// interface it was asked for.
template <class... Interfaces>
class StackComObject : public Interfaces... {
public:
    StackComObject() = default;
    StackComObject(const StackComObject&) = delete;
    StackComObject& operator=(const StackComObject&) = delete;
    virtual ~StackComObject() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        m_asked.push_back(iid);
        *object = FindInterface(iid);
        if (!*object)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_references; }

    // 1 while only the test holds it.
    ULONG References() const { return m_references; }
    bool WasAskedFor(REFIID iid) const {
        for (const IID& asked : m_asked) {
            if (asked == iid)
                return true;
        }
        return false;
    }

protected:
    virtual void* FindInterface(REFIID iid) = 0;

private:
    ULONG m_references = 1;
    std::vector<IID> m_asked;
};

}  // namespace telvane::win32::test
