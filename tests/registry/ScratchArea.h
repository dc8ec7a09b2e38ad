#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "registry/RegistryApi.h"

namespace telvane {

// A key of the registry under test that belongs to one test: emptied when made and deleted with
// everything below it when the test ends, since a real registry keeps what a test leaves.
// Reads and writes go through RegistryApi alone, so they hold for any registry.
class ScratchArea {
public:
    struct Stored {
        long result = RegistryApi::FileNotFound;
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
    };

    // "Software\TelvaneTests\<suite>.<test>" under root.
    ScratchArea(RegistryApi& api, RegistryApi::Key root);
    ScratchArea(const ScratchArea&) = delete;
    ScratchArea& operator=(const ScratchArea&) = delete;
    ~ScratchArea();

    RegistryApi::Key Root() const { return m_root; }
    const std::string& Path() const { return m_path; }
    // Path followed by a backslash and relative, or Path itself for "".
    std::string Below(const std::string& relative) const;

    // The value's type and bytes, or the result code that refused them.
    Stored Read(const std::string& relative, const std::string& name) const;
    // Stores exactly these bytes (a guard byte follows them in memory, so a registry that
    // counts a forgotten terminator finds none).
    long Write(const std::string& relative, const std::string& name, std::uint32_t type,
               const std::vector<std::uint8_t>& data) const;
    bool Exists(const std::string& relative) const;
    long CreateKey(const std::string& relative) const;

    static long DeleteTree(RegistryApi& api, RegistryApi::Key root, const std::string& path);

private:
    RegistryApi& m_api;
    RegistryApi::Key m_root;
    std::string m_path;
};

std::vector<std::uint8_t> Bytes(std::string_view text);

}  // namespace telvane
