// The floor for any program that answers each line of its input with one line: read a line,
// write a fixed line of the given length (line end included), buffered; no reading of numbers,
// no words. The batch benchmark runs it on the same lines as zodziais.
//
//   io_floor LENGTH [--blocks] < input > output
//
// --blocks reads standard input in 64 KiB blocks and finds the line ends with memchr instead of
// getline: the floor of the machine itself, below what a line-by-line program gets.
#include <cstdio>
#include <cstdlib> // free, strtoul
#include <cstring> // memchr, strcmp
#include <string>
#include <vector>

namespace {

int linesByGetline(const std::string &line)
{
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    char *text = nullptr;
    std::size_t capacity = 0;
    while (getline(&text, &capacity, stdin) > 0)
        std::fwrite(line.data(), 1, line.size(), stdout);
    std::free(text);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int linesByBlocks(const std::string &line)
{
    constexpr std::size_t blockSize = 1 << 16;
    std::vector<char> in(blockSize);
    std::vector<char> out;
    out.reserve(blockSize + line.size());
    bool partial = false; // the input read so far ends inside a line
    std::size_t count = 0;
    while ((count = std::fread(in.data(), 1, blockSize, stdin)) > 0) {
        const char *next = in.data();
        const char *const end = in.data() + count;
        while (const void *lineEnd = std::memchr(next, '\n', std::size_t(end - next))) {
            out.insert(out.end(), line.begin(), line.end());
            if (out.size() >= blockSize) {
                std::fwrite(out.data(), 1, out.size(), stdout);
                out.clear();
            }
            next = static_cast<const char *>(lineEnd) + 1;
        }
        partial = next != end;
    }
    if (partial)
        out.insert(out.end(), line.begin(), line.end());
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    const unsigned long length = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 0;
    if (length == 0 || argc > 3 || (argc == 3 && std::strcmp(argv[2], "--blocks") != 0)) {
        std::fprintf(stderr, "usage: io_floor LENGTH [--blocks] < input > output\n");
        return 2;
    }
    const std::string line = std::string(length - 1, 'x') + '\n';
    return argc == 3 ? linesByBlocks(line) : linesByGetline(line);
}
