#pragma once

#include <functional>
#include <string>

#include "forms/Color.h"
#include "forms/Control.h"

namespace telvane::forms {

// A box that shows a picture or only its background colour.
class PictureBox : public Control {
public:
    PictureBox(Container& parent, std::string name, const Bounds& bounds);

    Color BackColor() const { return m_backColor; }
    void SetBackColor(Color color);
    forms::BorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(forms::BorderStyle style);
    // The picture's resource name; empty for none.
    const std::string& Picture() const { return m_picture; }
    void SetPicture(std::string picture);

    void OnClick(std::function<void()> handler) { m_click = std::move(handler); }
    // The user clicks the box: it takes the focus and raises Click.
    bool UserClick();

private:
    Color m_backColor = Color::System(SystemColor::ButtonFace);
    forms::BorderStyle m_borderStyle = forms::BorderStyle::FixedSingle;
    std::string m_picture;
    std::function<void()> m_click;
};

}  // namespace telvane::forms
