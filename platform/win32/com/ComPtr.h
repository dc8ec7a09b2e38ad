#pragma once

#include <ole2.h>
#include <windows.h>

#include <utility>

namespace telvane::win32 {

// Owns one counted reference to a COM interface. The only place that calls AddRef and Release.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Shares p: takes a reference of its own.
    explicit ComPtr(T* p) : m_p(p) { AddRefHeld(); }
    ComPtr(const ComPtr& other) : m_p(other.m_p) { AddRefHeld(); }
    ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~ComPtr() { ReleaseHeld(); }

    ComPtr& operator=(const ComPtr& other) {
        ComPtr(other).Swap(*this);
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept {
        ComPtr(std::move(other)).Swap(*this);
        return *this;
    }
    ComPtr& operator=(std::nullptr_t) {
        Reset();
        return *this;
    }

    // Adopts a reference the caller already owns (a fresh object, an out parameter).
    static ComPtr Adopt(T* p) {
        ComPtr result;
        result.m_p = p;
        return result;
    }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // For out parameters: drops what is held and hands out the slot.
    T** Put() {
        Reset();
        return &m_p;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    void Reset() { ReleaseHeld(); }
    T* Detach() { return std::exchange(m_p, nullptr); }
    void Swap(ComPtr& other) noexcept { std::swap(m_p, other.m_p); }

    // Hands a new reference to an out parameter of the caller's caller.
    HRESULT CopyTo(T** out) const {
        if (!out)
            return E_POINTER;
        *out = m_p;
        if (m_p)
            m_p->AddRef();
        return S_OK;
    }

    template <class U>
    HRESULT As(ComPtr<U>& out) const {
        if (!m_p)
            return E_POINTER;
        return m_p->QueryInterface(__uuidof(U), out.PutVoid());
    }
    template <class U>
    HRESULT As(REFIID iid, ComPtr<U>& out) const {
        if (!m_p)
            return E_POINTER;
        return m_p->QueryInterface(iid, out.PutVoid());
    }

private:
    void AddRefHeld() {
        if (m_p)
            m_p->AddRef();
    }
    void ReleaseHeld() {
        if (T* p = std::exchange(m_p, nullptr))
            p->Release();
    }

    T* m_p = nullptr;
};

}  // namespace telvane::win32
