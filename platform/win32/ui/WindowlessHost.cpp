// Product headers come before <windows.h>, whose macros share their names.
#include "platform/win32/ui/WindowlessHost.h"

#include "common/outlook/RaisedError.h"
#include "forms/Form.h"

#include <windows.h>

#include "platform/win32/com/TextConversion.h"

namespace telvane::win32 {

void WindowlessHost::ShowModal(forms::Form& form, forms::Form*) {
    throw RaisedError(RaisedError::InvalidArgument, "TelvanePage",
                      "There is no window host to show " + form.Name() + " modally");
}

void WindowlessHost::ShowMessage(const forms::Form*, const std::string& text,
                                 const std::string& title) {
    ::MessageBoxW(nullptr, com::WideFromUtf8(text).c_str(), com::WideFromUtf8(title).c_str(),
                  MB_OK);
}

void WindowlessHost::DoEvents() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The mail client's own loop must still see it.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

}  // namespace telvane::win32
