#pragma once

#include <ole2.h>
#include <windows.h>

namespace telvane::win32::test {

// The test thread as a single-threaded apartment, as the mail client's user-interface thread is.
class ComApartment {
public:
    ComApartment() : m_result(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(m_result))
            ::CoUninitialize();
    }

    HRESULT Result() const { return m_result; }

private:
    HRESULT m_result;
};

}  // namespace telvane::win32::test
