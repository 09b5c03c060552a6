#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringConverter>
#include <QStringView>

#include <optional>
#include <string>
#include <string_view>

namespace zodziais {

// Standard input line by line, split as QTextStream::readLine splits UTF-8 text: a line ends at
// an LF, and a CR just before it, or at the very end of the input, is no part of it. UTF-8 lines
// are handed over as the bytes they are, without a byte order mark at the start. Input that
// starts with a UTF-16 or UTF-32 byte order mark (as some Windows shells pipe their text) is
// decoded, and its lines are handed over as text. Read in large blocks; a terminal hands over
// each line as it is typed.
class InputLines
{
public:
    // One line: its UTF-8 bytes, or its text when the input was decoded.
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
        std::optional<View> next(bool atEnd);

    private:
        std::basic_string<Char> m_chars;
        std::size_t m_begin = 0; // the first character not handed over yet
        std::size_t m_end = 0;   // the end of what was read
    };

    Splitter<char> m_bytes;
    Splitter<char16_t> m_text;
    std::optional<QStringDecoder> m_decoder; // only for UTF-16 and UTF-32
    bool m_started = false;
    bool m_atEnd = false;
    bool m_failed = false;
};

} // namespace zodziais
