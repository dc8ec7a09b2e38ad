#pragma once

#include "platform/win32/ui/ControlPeer.h"

namespace telvane::forms {
class ProgressBar;
}  // namespace telvane::forms

namespace telvane::win32 {

// A progress bar. The product moves it once per contact; the native bar repaints at every new
// position, so it is moved only when its filled part grows by a pixel, and not too often.
class ProgressBarPeer final : public ControlPeer {
public:
    ProgressBarPeer(FormWindow& form, forms::ProgressBar& bar, int id);
    ~ProgressBarPeer() override;

private:
    void Apply(forms::Property what) override;
    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void Sync(bool range);
    // How much of the bar the model's position fills, in pixels.
    int Pixels() const;
    // Gives the native bar the model's position now.
    void Show();

    forms::ProgressBar& m_bar;
    int m_pixels = -1;
    DWORD m_shown = 0;       // when the native bar was last moved (GetTickCount)
    bool m_pending = false;  // a position is held back until the timer
};

}  // namespace telvane::win32
