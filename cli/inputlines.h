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
#include <utility> // move

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
// as it is typed.
class InputLines
{
public:
    // Fills `into` with up to `size` bytes, as readStandardInput does.
    using Read = std::function<std::ptrdiff_t(char *into, std::size_t size)>;

    explicit InputLines(Read read = readStandardInput) : m_read(std::move(read)) {}

    // One line: its UTF-8 bytes, or its text when the input was decoded. Both views point into
    // the reader's buffer: they last until the next call of next(), or the reader's end.
    struct Line
    {
        QByteArrayView utf8;
        std::optional<QStringView> text;
    };

    // The next line; nothing at the end of the input, or once it could not be read.
    std::optional<Line> next();

    // True once the input could not be read to its end.
    [[nodiscard]] bool failed() const { return m_failed; }

private:
    void readBlock();

    template <typename Char> class Splitter
    {
    public:
        using View = std::basic_string_view<Char>;
        // Room for `size` more characters at the end, to be filled and then kept by commit().
        Char *room(std::size_t size);
        void commit(std::size_t size) { m_end += size; }
        void append(View text)
        {
            std::copy(text.begin(), text.end(), room(text.size()));
            commit(text.size());
        }
        [[nodiscard]] View unread() const { return {m_chars.data() + m_begin, m_end - m_begin}; }
        void clear() { m_begin = m_searched = m_end = 0; }
        std::optional<View> next(bool atEnd);

    private:
        std::basic_string<Char> m_chars;
        std::size_t m_begin = 0;    // the first character not handed over yet
        std::size_t m_searched = 0; // no line end from m_begin up to here
        std::size_t m_end = 0;      // the end of what was read
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
