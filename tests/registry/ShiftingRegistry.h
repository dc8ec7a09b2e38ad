#pragma once

#include <functional>
#include <stdexcept>

#include "platform/memory/registry/MemoryRegistry.h"

namespace telvane {

// An in-memory registry whose answers shift the way a live one's can: the longest value name
// reported short (as for double-byte ANSI names), a value changed between a size probe and the
// read that follows, a listing that throws part-way.
class ShiftingRegistry : public memory::MemoryRegistry {
public:
    std::uint32_t nameLengthShortfall = 0;
    std::function<void()> afterSizeProbe;
    bool throwWhileListingKeys = false;

    long RegQueryInfoKeyA(Key key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                          std::uint32_t* values, std::uint32_t* maxValueNameLen,
                          std::uint32_t* maxValueLen) override {
        long result = MemoryRegistry::RegQueryInfoKeyA(key, subKeys, maxSubKeyLen, values,
                                                       maxValueNameLen, maxValueLen);
        if (maxValueNameLen)
            *maxValueNameLen -= std::min(*maxValueNameLen, nameLengthShortfall);
        return result;
    }

    long RegQueryValueExA(Key key, const std::string& valueName, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* dataSize) override {
        long result = MemoryRegistry::RegQueryValueExA(key, valueName, type, data, dataSize);
        if (!data && afterSizeProbe)
            std::exchange(afterSizeProbe, nullptr)();
        return result;
    }

    long RegEnumKeyA(Key key, std::uint32_t index, char* name, std::uint32_t nameSize) override {
        if (throwWhileListingKeys && index == 1)
            throw std::runtime_error("listing broke");
        return MemoryRegistry::RegEnumKeyA(key, index, name, nameSize);
    }
};

}  // namespace telvane
