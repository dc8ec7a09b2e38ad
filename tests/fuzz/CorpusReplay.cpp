// Runs every file of the checked-in corpus through the fuzz entry, as the test command does.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/fuzz/RegistryReadFuzz.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIRECTORY\n", argv[0]);
        return 2;
    }
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream file(entry.path(), std::ios::binary);
        std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(file)),
                                       std::istreambuf_iterator<char>());
        std::fprintf(stderr, "%s\n", entry.path().filename().string().c_str());
        telvane::RegistryReadFuzz(data.data(), data.size());
        ++replayed;
    }
    std::printf("%d inputs replayed\n", replayed);
    // An empty corpus would pass while testing nothing.
    return replayed > 0 ? 0 : 1;
}
