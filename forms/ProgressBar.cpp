#include "forms/ProgressBar.h"

#include <algorithm>

#include "forms/FormsError.h"

namespace telvane::forms {

ProgressBar::ProgressBar(Container& parent, std::string name, const Bounds& bounds)
    : Control(parent, ControlKind::ProgressBar, std::move(name), bounds) {}

void ProgressBar::SetMin(int min) {
    if (min >= m_max)
        FormsError::Raise(FormsError::InvalidPropertyValue, Name());
    m_min = min;
    ClampValue();
    Changed(Property::Range);
}

void ProgressBar::SetMax(int max) {
    if (max <= m_min)
        FormsError::Raise(FormsError::InvalidPropertyValue, Name());
    m_max = max;
    ClampValue();
    Changed(Property::Range);
}

void ProgressBar::SetValue(int value) {
    if (value < m_min || value > m_max) {
        FormsError::Raise(FormsError::InvalidPropertyValue, Name());
    }
    if (value == m_value)
        return;
    m_value = value;
    Changed(Property::Value);
}

void ProgressBar::ClampValue() {
    m_value = std::clamp(m_value, m_min, m_max);
}

double ProgressBar::Fraction() const {
    return static_cast<double>(m_value - m_min) / static_cast<double>(m_max - m_min);
}

}  // namespace telvane::forms
