#pragma once

#include <string>

#include "forms/Container.h"
#include "forms/Control.h"

namespace telvane::forms {

// A frame groups controls: they are placed relative to it, hidden with it, and refuse input
// while it is disabled (their own Enabled stays as it is, as in Windows).
class Frame : public Control, public Container {
public:
    Frame(Container& parent, std::string name, const Bounds& bounds, std::string caption = {});

    const std::string& Caption() const { return m_caption; }
    void SetCaption(std::string caption);
    forms::BorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(forms::BorderStyle style);

    Form& OwnerForm() override { return Control::OwnerForm(); }
    const Form& OwnerForm() const override { return Control::OwnerForm(); }
    const Control* AsControl() const override { return this; }
    const forms::Font& InheritedFont() const override { return Font(); }

    std::string AccessKeyCaption() const override { return m_caption; }

private:
    std::string m_caption;
    forms::BorderStyle m_borderStyle = forms::BorderStyle::FixedSingle;
};

}  // namespace telvane::forms
