#include "platform/win32/com/HResultText.h"

#include <cstdio>

namespace telvane::win32::com {

std::string Hex(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

}  // namespace telvane::win32::com
