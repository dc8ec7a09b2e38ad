#pragma once

#include <ole2.h>
#include <windows.h>

namespace telvane::outlookhost {

// The custom array every IDTExtensibility2 call takes: an empty array of VARIANTs, which the
// add-in ignores.
class CustomArray {
public:
    CustomArray() : m_array(::SafeArrayCreateVector(VT_VARIANT, 0, 0)) {}
    CustomArray(const CustomArray&) = delete;
    CustomArray& operator=(const CustomArray&) = delete;
    ~CustomArray() {
        if (m_array)
            ::SafeArrayDestroy(m_array);
    }
    SAFEARRAY** Get() { return &m_array; }

private:
    SAFEARRAY* m_array;
};

}  // namespace telvane::outlookhost
