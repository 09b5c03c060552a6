#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringConverter>
#include <QStringView>

#include <cstddef> // ptrdiff_t, size_t
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits> // make_unsigned_t
#include <utility>     // move

namespace zodziais {

// What one read of standard input gave: a count of bytes, 0 at its end, -1 on an error.
std::ptrdiff_t readStandardInput(char *into, std::size_t size);

// A text without the byte order marks (U+FEFF) it starts with. Files joined together each bring
// their own, so one that starts a line or an argument is no part of the number.
QStringView withoutByteOrderMarks(QStringView text);
QByteArrayView withoutByteOrderMarks(QByteArrayView utf8);

// Standard input line by line, split as QTextStream::readLine splits UTF-8 text: a line ends at
// an LF, and a CR just before it, or at the very end of the input, is no part of it; nor are
// byte order marks at its start. UTF-8 lines are handed over as the bytes they are. Input that
// starts with a UTF-16 or UTF-32 byte order mark (as some Windows shells pipe their text) is
// decoded, and its lines are handed over as text; a unit cut off at its end becomes U+FFFD, as
// a cut-off UTF-8 sequence does when its line is decoded. The encoding is decided on the first
// four bytes, however the reads cut them. Read in large blocks; a terminal hands over each line
// as it is typed. Memory stays bounded whatever the input: a line longer than longestLine is
// kept only as its start, and a line cut off by a failed read is never handed over.
class InputLines
{
public:
    // The longest line handed over whole, in bytes (UTF-8) or UTF-16 units (decoded input), a
    // CR before its line end included: far more than any number is written with. A longer line
    // lets go of the ASCII white space in front of it, and of zeros and white space at its end,
    // which the convert rule reads the same whatever their number; what is left counts.
    static constexpr std::size_t longestLine = 4096;

    // Fills `into` with up to `size` bytes, as readStandardInput does.
    using Read = std::function<std::ptrdiff_t(char *into, std::size_t size)>;

    explicit InputLines(Read read = readStandardInput) : m_read(std::move(read)) {}

    // One line: its UTF-8 bytes, or its text when the input was decoded. Both views point into
    // the reader's buffer: they last until the next call of next(), or the reader's end.
    struct Line
    {
        QByteArrayView utf8;
        std::optional<QStringView> text;
        // The line was longer than longestLine: the views hold its first longestLine units, and
        // the rest was read past without being kept.
        bool cut = false;
        // For a cut line: the whole of it is, white space at its ends aside, an optional sign
        // and ASCII digits, the shape of a number however long.
        bool digits = false;
    };

    // The next line; nothing at the end of the input, or once it could not be read. A last line
    // that a failed read cut off is not handed over: it may be only part of what was sent.
    std::optional<Line> next();

    // True once the input could not be read to its end.
    [[nodiscard]] bool failed() const { return m_failed; }

    // The memory the reader's buffers hold, in bytes.
    [[nodiscard]] std::size_t bufferBytes() const
    {
        return m_bytes.capacityBytes() + m_text.capacityBytes();
    }

private:
    void readBlock();

    // Whether the units fed so far are, white space at their ends aside, an optional sign and
    // ASCII digits.
    class DigitsShape
    {
    public:
        template <typename Char> void feed(std::basic_string_view<Char> units)
        {
            for (const Char unit : units)
                step(char32_t(std::make_unsigned_t<Char>(unit)));
        }
        [[nodiscard]] bool matches() const
        {
            return m_state == State::Digits || m_state == State::Trail;
        }

    private:
        enum class State { Lead, Sign, Digits, Trail, Other };
        void step(char32_t unit);
        State m_state = State::Lead;
    };

    // Whether the units fed so far are zeros, then white space.
    class ZerosShape
    {
    public:
        template <typename Char> void feed(std::basic_string_view<Char> units)
        {
            for (const Char unit : units)
                step(char32_t(std::make_unsigned_t<Char>(unit)));
        }
        [[nodiscard]] bool matches() const { return m_state != State::Other; }

    private:
        enum class State { Zeros, Blanks, Other };
        void step(char32_t unit);
        State m_state = State::Zeros;
    };

    // How the input ends for the line being split: not yet; with its last line, line end or
    // not; or in a failed read, which drops an unfinished line.
    enum class Ending { NotYet, LastLine, Failed };

    template <typename Char> class Splitter
    {
    public:
        using View = std::basic_string_view<Char>;
        struct Piece
        {
            View line;
            bool cut = false;
            bool digits = false;
        };
        // Room for `size` more characters at the end, to be filled and then kept by commit().
        Char *room(std::size_t size);
        void commit(std::size_t size) { m_end += size; }
        void append(View text)
        {
            std::copy(text.begin(), text.end(), room(text.size()));
            commit(text.size());
        }
        [[nodiscard]] View unread() const { return {m_chars.data() + m_begin, m_end - m_begin}; }
        void clear()
        {
            m_begin = m_searched = m_end = 0;
            m_cut = m_spaceLetGo = false;
        }
        std::optional<Piece> next(Ending ending);
        [[nodiscard]] std::size_t capacityBytes() const
        {
            return m_chars.capacity() * sizeof(Char);
        }

    private:
        std::basic_string<Char> m_chars;
        std::size_t m_begin = 0;    // the first character not handed over yet
        std::size_t m_searched = 0; // no line end from m_begin up to here
        std::size_t m_end = 0;      // the end of what was read
        // The line at m_begin is longer than longestLine: only its start is still held, and
        // what comes after it is read past until its line end.
        bool m_cut = false;
        DigitsShape m_shape; // of the line being cut
        ZerosShape m_rest;   // of what was let go of it
        // The white space in front of the line at m_begin was let go of, all but one unit.
        bool m_spaceLetGo = false;
    };

    Read m_read;
    Splitter<char> m_bytes; // all of UTF-8 input; the undecoded bytes of other input
    Splitter<char16_t> m_text;
    std::optional<QStringDecoder> m_decoder; // only for UTF-16 and UTF-32
    std::size_t m_unitSize = 1;              // of the decoded encoding
    std::size_t m_cutOff = 0;                // bytes decoded so far, modulo m_unitSize
    bool m_decided = false;
    bool m_atEnd = false;
    bool m_failed = false;
};

} // namespace zodziais
