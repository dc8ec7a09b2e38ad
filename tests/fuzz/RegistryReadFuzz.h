#pragma once

#include <cstddef>
#include <cstdint>

namespace telvane {

// One fuzz input through cRegistry's reads: a value of any type, size and bytes (optionally
// replaced by another between the size probe and the read), subkeys of any names, read through
// Value, ValueEx, both enumerations and the switch's conversion. Aborts when a read answers
// something other than what is stored.
int RegistryReadFuzz(const std::uint8_t* data, std::size_t size);

}  // namespace telvane
