#pragma once

#include <string>

#include "forms/Control.h"

namespace telvane::forms {

// A progress bar. Value must lie within Min..Max: a value outside raises error 380 and the bar
// keeps its value. Min must stay below Max (error 380 otherwise); narrowing the range pulls
// the value inside it, as the common control does.
class ProgressBar : public Control {
public:
    ProgressBar(Container& parent, std::string name, const Bounds& bounds);

    int Min() const { return m_min; }
    int Max() const { return m_max; }
    int Value() const { return m_value; }
    void SetMin(int min);
    void SetMax(int max);
    void SetValue(int value);
    // Fraction of the bar that is filled, 0 to 1.
    double Fraction() const;

private:
    void ClampValue();

    int m_min = 0;
    int m_max = 100;
    int m_value = 0;
};

}  // namespace telvane::forms
