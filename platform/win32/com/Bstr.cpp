#include "platform/win32/com/Bstr.h"

#include "platform/win32/com/TextConversion.h"

namespace telvane::win32::com {

Bstr Bstr::FromUtf8(std::string_view utf8) {
    return Bstr(WideFromUtf8(utf8));
}

std::string Bstr::Utf8() const {
    return Utf8FromWide(View());
}

}  // namespace telvane::win32::com
