#pragma once

#include "forms/UiHost.h"

namespace telvane::win32 {

// The window host of TelvanePage.dll until the Win32 renderer exists: forms live as models
// only, nothing is drawn, and window messages are pumped for DoEvents. A modal show cannot
// take the user's input without a window, so it is refused with a raised error instead of
// blocking or returning as if the user had answered.
class WindowlessHost final : public forms::UiHost {
public:
    void FormLoaded(forms::Form&) override {}
    void FormUnloaded(forms::Form&) override {}
    void Show(forms::Form&) override {}
    void Hide(forms::Form&) override {}
    void ShowModal(forms::Form& form, forms::Form* owner) override;
    void DoEvents() override;
    // The system's message box, which needs no window of the model.
    void ShowMessage(const forms::Form* owner, const std::string& text,
                     const std::string& title) override;
    bool TakesInput(const forms::Form&) const override { return true; }
};

}  // namespace telvane::win32
