// The libFuzzer entry (scripts/fuzz.sh builds it with -fsanitize=fuzzer).
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/RegistryReadFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return telvane::RegistryReadFuzz(data, size);
}
