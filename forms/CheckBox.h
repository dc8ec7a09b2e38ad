#pragma once

#include <functional>
#include <string>

#include "forms/Color.h"
#include "forms/Control.h"

namespace telvane::forms {

// A check box. Value is 0 (unticked), 1 (ticked) or 2 (greyed); any other value raises error
// 380 and leaves the state as it was. Every change of Value raises Click synchronously,
// whether the user or code made it; setting the value it already has raises nothing.
class CheckBox : public Control {
public:
    static constexpr int Unchecked = 0;
    static constexpr int Checked = 1;
    static constexpr int Grayed = 2;

    CheckBox(Container& parent, std::string name, const Bounds& bounds, std::string caption = {});

    const std::string& Caption() const { return m_caption; }
    void SetCaption(std::string caption);
    int Value() const { return m_value; }
    void SetValue(int value);
    Color BackColor() const { return m_backColor; }
    void SetBackColor(Color color);

    void OnClick(std::function<void()> handler) { m_click = std::move(handler); }

    // The user clicks the box: it takes the focus and its value goes 0 -> 1, 1 -> 0, 2 -> 0.
    bool UserClick();

    std::string AccessKeyCaption() const override { return m_caption; }

private:
    bool AccessKeyPressed() override { return UserClick(); }

    std::string m_caption;
    int m_value = Unchecked;
    Color m_backColor = Color::System(SystemColor::ButtonFace);
    std::function<void()> m_click;
};

}  // namespace telvane::forms
