// Replays fuzz inputs through the fuzz entry point without libFuzzer, with any compiler: the
// committed corpus runs as an ordinary test. A broken promise aborts, which fails the test.
//
//   fuzz_replay FILE|FOLDER...
#include <cstddef> // size_t
#include <cstdint> // uint8_t
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace {

bool replay(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "fuzz_replay: cannot read %s\n", file.string().c_str());
        return false;
    }
    const std::vector<std::uint8_t> data{std::istreambuf_iterator<char>(in), {}};
    LLVMFuzzerTestOneInput(data.data(), data.size());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path(argv[i]);
        if (!std::filesystem::is_directory(path)) {
            if (!replay(path))
                return 1;
            ++replayed;
            continue;
        }
        for (const auto &entry : std::filesystem::directory_iterator(path)) {
            if (entry.is_regular_file() && !replay(entry.path()))
                return 1;
            replayed += entry.is_regular_file();
        }
    }
    std::printf("fuzz_replay: %d inputs, no broken promise\n", replayed);
    return replayed > 0 ? 0 : 1; // an empty corpus would prove nothing
}
