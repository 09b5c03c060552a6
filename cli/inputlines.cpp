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
    while (utf8.startsWith("\xEF\xBB\xBF"))
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

template <typename Char> auto InputLines::Splitter<Char>::next(bool atEnd) -> std::optional<View>
{
    const View rest = unread();
    // Only what came since the last search is new: a long line is searched once, not once for
    // every block.
    const std::size_t lineEnd = rest.find(Char('\n'), m_searched - m_begin);
    if (lineEnd == View::npos) {
        m_searched = m_end;
        if (!atEnd || rest.empty())
            return std::nullopt;
    }
    View line = rest.substr(0, lineEnd);
    m_begin += line.size() + (lineEnd == View::npos ? 0 : 1);
    m_searched = m_begin;
    if (!line.empty() && line.back() == Char('\r'))
        line.remove_suffix(1);
    return line;
}

std::optional<InputLines::Line> InputLines::next()
{
    for (;;) {
        if (m_decoder) {
            if (const auto line = m_text.next(m_atEnd)) {
                return Line{
                    {}, withoutByteOrderMarks(QStringView(line->data(), qsizetype(line->size())))};
            }
        } else if (const auto line = m_bytes.next(m_atEnd)) {
            return Line{
                withoutByteOrderMarks(QByteArrayView(line->data(), qsizetype(line->size()))),
                std::nullopt};
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
