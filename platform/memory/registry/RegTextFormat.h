#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/memory/registry/MemoryKey.h"

namespace telvane::memory {

// The registry editor's REGEDIT4 text: "[HKEY_...\path]" sections, then "name"=... lines with
// "text", dword:0000002a, hex:01,02 or hex(N):... data; @ names the unnamed value. Import also
// takes "[-path]" (delete the key and everything below it), "name"=- (delete the value),
// ";" comments and lines continued with a trailing backslash.
class RegTextFormat {
public:
    static std::string Export(const std::vector<std::shared_ptr<const MemoryKey>>& roots);

    // rootByName gives the root a section names ("HKEY_CURRENT_USER"), or null when unknown.
    // Throws std::runtime_error naming the line that cannot be read; lines before it are applied.
    static void Import(
        std::string_view text,
        const std::function<std::shared_ptr<MemoryKey>(std::string_view)>& rootByName);
};

}  // namespace telvane::memory
