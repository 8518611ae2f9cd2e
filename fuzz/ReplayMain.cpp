// Without libFuzzer: runs a target once on each input given, as a file or as a folder of files (the
// kept corpus), the way libFuzzer takes them.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool Replay(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        std::error_code error;
        if (std::filesystem::is_directory(argv[i], error)) {
            std::vector<std::filesystem::path> folder;
            for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
                if (entry.is_regular_file()) folder.push_back(entry.path());
            std::sort(folder.begin(), folder.end());  // the same order on every run
            inputs.insert(inputs.end(), folder.begin(), folder.end());
        } else {
            inputs.emplace_back(argv[i]);
        }
    }
    for (const auto& input : inputs)
        if (!Replay(input)) return 1;
    std::printf("replayed %zu inputs\n", inputs.size());
    return 0;
}
