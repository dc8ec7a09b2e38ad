#pragma once

#include <cstddef>
#include <string_view>

namespace telvane::forms {

// The bytes of a picture file of forms/pictures/ by its resource name ("ProductIcon",
// "CheckBoxLegend"), built into the library; empty when there is none. The DLL carries the
// same files as resources.
struct PictureFile {
    const unsigned char* data = nullptr;
    std::size_t size = 0;

    static PictureFile Find(std::string_view name);
};

}  // namespace telvane::forms
