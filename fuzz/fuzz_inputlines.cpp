// Feeds arbitrary bytes to zodziais's reader of standard input in reads of sizes the fuzzer
// picks. Whatever the reads, the lines must be those of one read of the whole input, with no
// line end inside, no byte order mark in front, none longer than the longest but cut, no
// unfinished last line after a failed read, and nothing read after the end. A broken
// promise aborts, so the fuzzer reports it like a crash.
//
// Input: one byte of switches, then as many bytes of read sizes (1..256, taken in turn) as its
// bits 0-3 say, then the input itself. Bit 4 ends the input with a failed read.
#include "inputlines.h"

#include <QList>
#include <QString>
#include <QStringConverter>

#include <algorithm> // copy_n, min
#include <cstddef>   // size_t
#include <cstdint>   // uint8_t
#include <cstdio>    // fprintf
#include <cstdlib>   // abort
#include <span>
#include <string_view>

namespace {

void require(bool promise, const char *what)
{
    if (promise)
        return;
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

struct Read
{
    QList<QString> lines; // UTF-8 lines as Latin-1, so that every byte is kept
    bool decoded = false; // some line came as text
    bool failed = false;
};

Read readAll(std::string_view input, std::span<const std::uint8_t> sizes, bool readError)
{
    std::size_t at = 0;
    std::size_t reads = 0;
    bool ended = false;
    zodziais::InputLines reader([&](char *into, std::size_t size) -> std::ptrdiff_t {
        require(!ended, "no read after the end");
        std::size_t count = std::min(size, input.size() - at);
        if (!sizes.empty())
            count = std::min(count, std::size_t(sizes[reads++ % sizes.size()]) + 1);
        ended = count == 0;
        if (ended)
            return readError ? -1 : 0;
        std::copy_n(input.data() + at, count, into);
        at += count;
        return std::ptrdiff_t(count);
    });
    Read read;
    while (const auto line = reader.next()) {
        read.decoded = read.decoded || line->text;
        QString text = line->text ? line->text->toString() : QString::fromLatin1(line->utf8);
        require(!text.contains(u'\n'), "no line end inside a line");
        require(std::size_t(line->text ? line->text->size() : line->utf8.size())
                        <= zodziais::InputLines::longestLine
                    && (line->cut || !line->digits),
                "no line longer than the longest, and only a cut one has a shape");
        require(!(line->text ? text.startsWith(QChar::ByteOrderMark)
                             : line->utf8.startsWith("\xEF\xBB\xBF")),
                "no byte order mark in front");
        if (line->cut)
            text += line->digits ? u"[cut, digits]" : u"[cut]";
        read.lines.append(text);
    }
    require(reader.failed() == readError, "a failed read, and only that, is a failure");
    require(!reader.next(), "nothing after the end");
    return read;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t switches = data[0];
    const std::size_t sizeCount = std::min<std::size_t>(switches & 15, size - 1);
    const std::span<const std::uint8_t> sizes(data + 1, sizeCount);
    const std::string_view input(reinterpret_cast<const char *>(data) + 1 + sizeCount,
                                 size - 1 - sizeCount);
    const bool readError = switches & 16;

    const Read inPieces = readAll(input, sizes, readError);
    const Read whole = readAll(input, {}, readError);
    require(inPieces.lines == whole.lines && inPieces.decoded == whole.decoded,
            "the same lines however the reads cut the input");
    // Only a UTF-16 or UTF-32 byte order mark makes the input text. Otherwise every line end
    // ends a line, and so does the end of the input, unless a failed read ends it.
    const auto encoding =
        QStringConverter::encodingForData({input.data(), qsizetype(input.size())});
    if (!encoding || *encoding == QStringConverter::Utf8) {
        require(!whole.decoded, "UTF-8 handed over as bytes");
        const auto ends = std::count(input.begin(), input.end(), '\n');
        const bool tail = !readError && !input.empty() && input.back() != '\n';
        require(whole.lines.size() == ends + tail, "a line for each line end");
    }
    return 0;
}
