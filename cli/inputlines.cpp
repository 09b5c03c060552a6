#include "inputlines.h"

#include <algorithm> // copy, max
#include <cerrno>
#include <cstring> // memmove

#ifdef Q_OS_WIN
#include <io.h> // _read
#else
#include <unistd.h> // read
#endif

namespace zodziais {

namespace {

constexpr std::size_t blockSize = 1 << 16;

// What one read of standard input gave: a count of bytes, 0 at its end, -1 on an error.
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

} // namespace

template <typename Char> Char *InputLines::Splitter<Char>::room(std::size_t size)
{
    if (m_begin > 0 && m_chars.size() - m_end < size) {
        std::copy(m_chars.begin() + std::ptrdiff_t(m_begin),
                  m_chars.begin() + std::ptrdiff_t(m_end), m_chars.begin());
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_chars.size() - m_end < size)
        m_chars.resize(std::max(m_end + size, 2 * m_chars.size()));
    return m_chars.data() + m_end;
}

template <typename Char> auto InputLines::Splitter<Char>::next(bool atEnd) -> std::optional<View>
{
    const View unread(m_chars.data() + m_begin, m_end - m_begin);
    const std::size_t lineEnd = unread.find(Char('\n'));
    if (lineEnd == View::npos && (!atEnd || unread.empty()))
        return std::nullopt;
    View line = unread.substr(0, lineEnd);
    m_begin += line.size() + (lineEnd == View::npos ? 0 : 1);
    if (!line.empty() && line.back() == Char('\r'))
        line.remove_suffix(1);
    return line;
}

std::optional<InputLines::Line> InputLines::next()
{
    for (;;) {
        if (m_decoder) {
            if (const auto line = m_text.next(m_atEnd))
                return Line{{}, QStringView(line->data(), qsizetype(line->size()))};
        } else if (const auto line = m_bytes.next(m_atEnd)) {
            return Line{QByteArrayView(line->data(), qsizetype(line->size())), std::nullopt};
        }
        if (m_atEnd)
            return std::nullopt;
        readBlock();
    }
}

void InputLines::readBlock()
{
    char *const into = m_bytes.room(blockSize);
    const std::ptrdiff_t count = readStandardInput(into, blockSize);
    if (count <= 0) {
        m_failed = count < 0;
        m_atEnd = true;
        return;
    }
    QByteArrayView block(into, count);
    if (!m_started) {
        m_started = true;
        // Only a byte order mark says the input is not UTF-8; one for UTF-8 is dropped.
        const auto encoding = QStringConverter::encodingForData(block);
        if (encoding == QStringConverter::Utf8)
            block = block.sliced(3);
        else if (encoding)
            m_decoder.emplace(*encoding);
    }
    if (m_decoder) {
        const QString text = m_decoder->decode(block);
        m_text.append(
            {reinterpret_cast<const char16_t *>(text.constData()), std::size_t(text.size())});
    } else {
        if (block.data() != into)
            std::memmove(into, block.data(), std::size_t(block.size()));
        m_bytes.commit(std::size_t(block.size()));
    }
}

} // namespace zodziais
