#pragma once

#include <ole2.h>
#include <windows.h>

namespace telvane::outlookhost {

// The calling thread in a single-threaded apartment for as long as this lives, as the mail
// client's user-interface thread is.
class ComApartment {
public:
    ComApartment() : m_hr(::OleInitialize(nullptr)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(m_hr))
            ::OleUninitialize();
    }
    HRESULT Result() const { return m_hr; }

private:
    HRESULT m_hr;
};

}  // namespace telvane::outlookhost
