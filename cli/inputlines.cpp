#include "inputlines.h"

#include <algorithm> // copy, max
#include <cerrno>
#include <initializer_list>

#ifdef Q_OS_WIN
#include <io.h> // _read
#else
#include <unistd.h> // read
#endif

namespace zodziais {

namespace {

using namespace std::string_view_literals;

constexpr std::size_t blockSize = 1 << 16;

// True while the first bytes could still become a byte order mark that another byte would
// change: UTF-16LE's is the start of UTF-32LE's. No line end is ever among them, so a terminal
// still gets each line at once.
bool mayBeByteOrderMark(std::string_view start)
{
    for (const std::string_view mark : {"\xFF\xFE\0\0"sv, "\0\0\xFE\xFF"sv, "\xFE\xFF"sv}) {
        if (start.size() < mark.size() && mark.starts_with(start))
            return true;
    }
    return false;
}

} // namespace

std::ptrdiff_t readStandardInput(char *into, std::size_t size)
{
#ifdef Q_OS_WIN
    return _read(0, into, unsigned(size));
#else
    std::ptrdiff_t count = 0;
    do {
        count = ::read(0, into, size);
    } while (count < 0 && errno == EINTR);
    return count;
#endif
}

QStringView withoutByteOrderMarks(QStringView text)
{
    while (text.startsWith(QChar::ByteOrderMark))
        text = text.sliced(1);
    return text;
}

QByteArrayView withoutByteOrderMarks(QByteArrayView utf8)
{
    // Compared byte by byte: it is asked of every line.
    while (utf8.size() >= 3 && utf8[0] == '\xEF' && utf8[1] == '\xBB' && utf8[2] == '\xBF')
        utf8 = utf8.sliced(3);
    return utf8;
}

template <typename Char> Char *InputLines::Splitter<Char>::room(std::size_t size)
{
    if (m_begin > 0 && m_chars.size() - m_end < size) {
        std::copy(m_chars.begin() + std::ptrdiff_t(m_begin),
                  m_chars.begin() + std::ptrdiff_t(m_end), m_chars.begin());
        m_searched -= m_begin;
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_chars.size() - m_end < size)
        m_chars.resize(std::max(m_end + size, 2 * m_chars.size()));
    return m_chars.data() + m_end;
}

namespace {

// ASCII white space, which the convert rule ignores at both ends of a line (a line end aside).
constexpr bool isBlank(char32_t unit)
{
    return unit == ' ' || unit == '\t' || unit == '\r' || unit == '\v' || unit == '\f';
}

} // namespace

void InputLines::DigitsShape::step(char32_t unit)
{
    const bool blank = isBlank(unit);
    const bool digit = unit >= '0' && unit <= '9';
    switch (m_state) {
    case State::Lead:
        m_state = blank                        ? State::Lead
                  : digit                      ? State::Digits
                  : unit == '-' || unit == '+' ? State::Sign
                                               : State::Other;
        break;
    case State::Sign:
        m_state = digit ? State::Digits : State::Other;
        break;
    case State::Digits:
        m_state = digit ? State::Digits : blank ? State::Trail : State::Other;
        break;
    case State::Trail:
        m_state = blank ? State::Trail : State::Other;
        break;
    case State::Other:
        break;
    }
}

void InputLines::ZerosShape::step(char32_t unit)
{
    if (m_state == State::Zeros && unit == '0')
        return;
    m_state = isBlank(unit) && m_state != State::Other ? State::Blanks : State::Other;
}

namespace {

// A line's start without the byte order marks in front of it, as the line is handed over.
template <typename Char>
std::basic_string_view<Char> withoutMarks(std::basic_string_view<Char> units)
{
    if constexpr (sizeof(Char) == 1) {
        while (units.starts_with("\xEF\xBB\xBF"))
            units.remove_prefix(3);
    } else {
        while (units.starts_with(Char(0xFEFF)))
            units.remove_prefix(1);
    }
    return units;
}

// How many units a line starts with that the convert rule ignores: byte order marks, then white
// space; none unless some white space follows the marks.
template <typename Char> std::size_t leadingSpace(std::basic_string_view<Char> line)
{
    const std::size_t marks = line.size() - withoutMarks(line).size();
    std::size_t end = marks;
    while (end < line.size() && isBlank(char32_t(std::make_unsigned_t<Char>(line[end]))))
        ++end;
    return end > marks ? end : 0;
}

} // namespace

template <typename Char>
auto InputLines::Splitter<Char>::next(Ending ending) -> std::optional<Piece>
{
    const View rest = unread();
    // Only what came since the last search is new: a long line is searched once, not once for
    // every block.
    std::size_t lineEnd = rest.find(Char('\n'), m_searched - m_begin);
    const bool ended = lineEnd != View::npos;
    View line = rest.substr(0, lineEnd);

    // White space in front counts for nothing: in a line longer than the longest it is let go,
    // all but one unit of it, so that the line still starts as it did for the convert rule (a
    // byte order mark further on stays no part of a number).
    const bool letGo = !m_cut && (m_spaceLetGo || line.size() > longestLine);
    if (const std::size_t lead = letGo ? leadingSpace(line) : 0; lead > 1) {
        m_spaceLetGo = true;
        m_begin += lead - 1;
        m_searched = std::max(m_searched, m_begin);
        line.remove_prefix(lead - 1);
        lineEnd -= ended ? lead - 1 : 0;
    }
    const std::size_t searchFrom = m_searched - m_begin;

    if (m_cut || line.size() > longestLine) {
        // No number is this long: its start is kept, and the rest is looked at once, for the
        // line's shapes, and let go. A line that is its start, then zeros and white space (more
        // zeros of a fraction, padding) is handed over as its start, which the convert rule
        // reads the same.
        const std::size_t newFrom = m_cut ? searchFrom : longestLine;
        if (!m_cut) {
            m_cut = true;
            m_shape = {};
            m_shape.feed(withoutMarks(line.substr(0, longestLine)));
            m_rest = {};
        }
        const View fresh = line.substr(newFrom);
        m_shape.feed(fresh);
        m_rest.feed(fresh);
        if (!ended) {
            m_end = m_searched = m_begin + longestLine;
            if (ending == Ending::NotYet)
                return std::nullopt;
            if (ending == Ending::Failed) {
                clear();
                return std::nullopt;
            }
        }
        const bool cut = !m_rest.matches();
        const Piece piece{line.substr(0, longestLine), cut, cut && m_shape.matches()};
        m_begin = ended ? m_begin + lineEnd + 1 : m_end;
        m_searched = m_begin;
        m_cut = m_spaceLetGo = false;
        return piece;
    }

    if (!ended) {
        m_searched = m_end;
        if (ending == Ending::NotYet || line.empty())
            return std::nullopt;
        if (ending == Ending::Failed) {
            clear();
            return std::nullopt;
        }
    }
    m_begin += line.size() + (ended ? 1 : 0);
    m_searched = m_begin;
    m_spaceLetGo = false;
    if (!line.empty() && line.back() == Char('\r'))
        line.remove_suffix(1);
    return Piece{line};
}

std::optional<InputLines::Line> InputLines::next()
{
    for (;;) {
        const Ending ending = !m_atEnd   ? Ending::NotYet
                              : m_failed ? Ending::Failed
                                         : Ending::LastLine;
        if (m_decoder) {
            if (const auto piece = m_text.next(ending)) {
                const QStringView line(piece->line.data(), qsizetype(piece->line.size()));
                return Line{{}, withoutByteOrderMarks(line), piece->cut, piece->digits};
            }
        } else if (const auto piece = m_bytes.next(ending)) {
            const QByteArrayView line(piece->line.data(), qsizetype(piece->line.size()));
            return Line{withoutByteOrderMarks(line), std::nullopt, piece->cut, piece->digits};
        }
        if (m_atEnd)
            return std::nullopt;
        readBlock();
    }
}

void InputLines::readBlock()
{
    const std::ptrdiff_t count = m_read(m_bytes.room(blockSize), blockSize);
    if (count > 0) {
        m_bytes.commit(std::size_t(count));
    } else {
        m_failed = count < 0;
        m_atEnd = true;
    }
    if (!m_decided) {
        const auto start = m_bytes.unread();
        if (!m_atEnd && mayBeByteOrderMark(start))
            return;
        m_decided = true;
        // Only a byte order mark says the input is not UTF-8; UTF-8's own is dropped with the
        // others at the start of each line.
        const auto encoding =
            QStringConverter::encodingForData({start.data(), qsizetype(start.size())});
        if (encoding && *encoding != QStringConverter::Utf8) {
            m_decoder.emplace(*encoding);
            const bool utf32 =
                *encoding == QStringConverter::Utf32LE || *encoding == QStringConverter::Utf32BE;
            m_unitSize = utf32 ? 4 : 2;
        }
    }
    if (!m_decoder)
        return;
    const auto bytes = m_bytes.unread();
    const QString text = m_decoder->decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    m_cutOff = (m_cutOff + bytes.size()) % m_unitSize;
    m_bytes.clear();
    m_text.append({reinterpret_cast<const char16_t *>(text.constData()), std::size_t(text.size())});
    // The decoder keeps a cut-off unit to itself, waiting for the rest of it.
    if (m_atEnd && m_cutOff != 0)
        m_text.append(u"\uFFFD");
}

} // namespace zodziais
