#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "forms/Control.h"

namespace telvane::forms {

// A push button. Cancel makes it the button Esc presses; Default the one Enter presses. A form
// has at most one of each: setting either on one button clears it on the others.
class CommandButton : public Control {
public:
    CommandButton(Container& parent, std::string name, const Bounds& bounds,
                  std::string caption = {});
    ~CommandButton() override;

    const std::string& Caption() const { return m_caption; }
    void SetCaption(std::string caption);
    bool Cancel() const;
    void SetCancel(bool cancel);
    bool Default() const;
    void SetDefault(bool isDefault);

    // The Click handler: runs when the user presses the button (mouse, Esc, Enter or access
    // key) and when code sets Value.
    void OnClick(std::function<void()> handler) { m_click = std::move(handler); }
    // Code's way to press the button: raises Click whatever the button's state.
    void SetValue(bool pressed);

    // The user clicks the button: it takes the focus and raises Click.
    bool UserClick();

    std::string AccessKeyCaption() const override { return m_caption; }

private:
    friend class Form;

    bool Press(std::string_view action, bool takeFocus);
    bool AccessKeyPressed() override { return Press("access key", true); }

    std::string m_caption;
    std::function<void()> m_click;
};

}  // namespace telvane::forms
