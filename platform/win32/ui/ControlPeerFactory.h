#pragma once

#include <memory>

namespace telvane::forms {
class Control;
}  // namespace telvane::forms

namespace telvane::win32 {

class ControlPeer;
class FormWindow;

// Makes the peer of a control's kind: the one place that looks at the kind.
class ControlPeerFactory {
public:
    static std::unique_ptr<ControlPeer> Make(FormWindow& form, forms::Control& control, int id);
};

}  // namespace telvane::win32
