#pragma once

// Product headers come before <windows.h>, whose macros share their names.
#include "optionspage/PageLibrary.h"

#include "platform/win32/ui/Win32UiHost.h"

namespace telvane::testsupport {

// Whether the fax manager is at work in the real windows: active, with its frame shut or the
// hourglass shown. (Its frame is shut while a window it opened is shown, too; that one is idle.)
// The input driver's busy probe: messages handled inside a handler's DoEvents do not make the
// windows idle.
struct FaxManagerWork {
    static bool Busy(const win32::Win32UiHost& host, PageLibrary& library) {
        if (!library.frmFaxManager.IsLoaded())
            return false;
        const frmFaxManager& form = library.frmFaxManager.Get();
        return ::GetActiveWindow() == host.WindowOf(form) &&
               (!form.frmeControl.Enabled() ||
                form.MousePointer() == forms::MousePointer::Hourglass);
    }
};

}  // namespace telvane::testsupport
