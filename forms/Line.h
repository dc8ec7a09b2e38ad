#pragma once

#include <string>

#include "forms/Color.h"
#include "forms/Control.h"

namespace telvane::forms {

// A straight line from (X1, Y1) to (X2, Y2), in twips of its container. Its bounds are the
// rectangle the two ends span; moving it moves and stretches the ends with them.
class Line : public Control {
public:
    Line(Container& parent, std::string name, int x1, int y1, int x2, int y2,
         Color color = Color::System(SystemColor::WindowText));

    int X1() const { return m_x1; }
    int Y1() const { return m_y1; }
    int X2() const { return m_x2; }
    int Y2() const { return m_y2; }
    void SetX1(int x);
    void SetY1(int y);
    void SetX2(int x);
    void SetY2(int y);
    void SetEnds(int x1, int y1, int x2, int y2);

    Color BorderColor() const { return m_color; }
    void SetBorderColor(Color color);
    // Thickness in pixels.
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int pixels);

    void Move(const Bounds& bounds) override;

private:
    void UpdateBounds();

    int m_x1;
    int m_y1;
    int m_x2;
    int m_y2;
    Color m_color;
    int m_borderWidth = 1;
};

}  // namespace telvane::forms
