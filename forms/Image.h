#pragma once

#include <string>

#include "forms/Control.h"

namespace telvane::forms {

// A picture drawn on its container; it takes no focus and has no tab index.
class Image : public Control {
public:
    Image(Container& parent, std::string name, const Bounds& bounds, std::string picture = {});

    // The picture's resource name; empty for none.
    const std::string& Picture() const { return m_picture; }
    void SetPicture(std::string picture);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool stretch);
    forms::BorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(forms::BorderStyle style);

private:
    std::string m_picture;
    bool m_stretch = false;
    forms::BorderStyle m_borderStyle = forms::BorderStyle::None;
};

}  // namespace telvane::forms
