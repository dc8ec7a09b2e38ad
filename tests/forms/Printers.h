#pragma once

#include <ostream>

#include "forms/Bounds.h"

namespace telvane::forms {

// Lets test failures print bounds as numbers.
inline void PrintTo(const Bounds& b, std::ostream* out) {
    *out << "{left " << b.left << ", top " << b.top << ", width " << b.width << ", height "
         << b.height << "}";
}

}  // namespace telvane::forms
