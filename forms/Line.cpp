#include "forms/Line.h"

#include <algorithm>
#include <cstdlib>

#include "forms/FormsError.h"

namespace telvane::forms {

namespace {

Bounds Span(int x1, int y1, int x2, int y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1)};
}

// Maps a coordinate from one span onto another, keeping which end it is.
int Remap(int value, int oldStart, int oldSize, int newStart, int newSize) {
    if (oldSize == 0)
        return newStart + (value > oldStart ? newSize : 0);
    return newStart +
           static_cast<int>(static_cast<long long>(value - oldStart) * newSize / oldSize);
}

}  // namespace

Line::Line(Container& parent, std::string name, int x1, int y1, int x2, int y2, Color color)
    : Control(parent, ControlKind::Line, std::move(name), Span(x1, y1, x2, y2)),
      m_x1(x1),
      m_y1(y1),
      m_x2(x2),
      m_y2(y2),
      m_color(color) {}

void Line::UpdateBounds() {
    StoreBounds(Span(m_x1, m_y1, m_x2, m_y2));
    Changed(Property::Bounds);
}

void Line::SetX1(int x) {
    SetEnds(x, m_y1, m_x2, m_y2);
}
void Line::SetY1(int y) {
    SetEnds(m_x1, y, m_x2, m_y2);
}
void Line::SetX2(int x) {
    SetEnds(m_x1, m_y1, x, m_y2);
}
void Line::SetY2(int y) {
    SetEnds(m_x1, m_y1, m_x2, y);
}

void Line::SetEnds(int x1, int y1, int x2, int y2) {
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    UpdateBounds();
}

void Line::Move(const Bounds& bounds) {
    const Bounds old = GetBounds();
    if (old.width == 0 && bounds.width != 0) {
        // A vertical line stays vertical: only its position follows.
        SetEnds(bounds.left, Remap(m_y1, old.top, old.height, bounds.top, bounds.height),
                bounds.left, Remap(m_y2, old.top, old.height, bounds.top, bounds.height));
        return;
    }
    if (old.height == 0 && bounds.height != 0) {
        SetEnds(Remap(m_x1, old.left, old.width, bounds.left, bounds.width), bounds.top,
                Remap(m_x2, old.left, old.width, bounds.left, bounds.width), bounds.top);
        return;
    }
    SetEnds(Remap(m_x1, old.left, old.width, bounds.left, bounds.width),
            Remap(m_y1, old.top, old.height, bounds.top, bounds.height),
            Remap(m_x2, old.left, old.width, bounds.left, bounds.width),
            Remap(m_y2, old.top, old.height, bounds.top, bounds.height));
}

void Line::SetBorderColor(Color color) {
    m_color = color;
    Changed(Property::Colors);
}

void Line::SetBorderWidth(int pixels) {
    if (pixels < 1)
        FormsError::Raise(FormsError::InvalidPropertyValue, Name());
    m_borderWidth = pixels;
    Changed(Property::Appearance);
}

}  // namespace telvane::forms
