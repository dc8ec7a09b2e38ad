#include "platform/win32/com/GuidText.h"

#include <objbase.h>

namespace telvane::win32::com {

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    ::StringFromGUID2(guid, text, 40);
    return text;
}

}  // namespace telvane::win32::com
