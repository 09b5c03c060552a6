// The reader of zodziais's standard input, fed through its read function: the same lines
// however the reads cut the input, and each line handed over as soon as it has come.
#include "inputlines.h"

#include <QByteArray>
#include <QList>
#include <QStringEncoder>
#include <QTest>

#include <algorithm> // copy, copy_n, max, min

using zodziais::InputLines;

namespace {

constexpr int unlimited = 0;

struct Fed
{
    QList<QByteArray> lines; // decoded lines as UTF-8
    bool decoded = true;     // every line came as text
    bool failed = false;
    int readsAfterEnd = 0;
    bool nothingAfterEnd = false;
};

// Reads `input` in reads of at most `chunk` bytes, then ends it with 0, or with -1 for an error.
Fed feed(const QByteArray &input, int chunk, bool readError)
{
    qsizetype at = 0;
    bool ended = false;
    Fed fed;
    InputLines lines([&](char *into, std::size_t size) -> std::ptrdiff_t {
        fed.readsAfterEnd += ended;
        const qsizetype count = std::min({qsizetype(size), input.size() - at,
                                          chunk == unlimited ? input.size() : qsizetype(chunk)});
        if (count == 0) {
            ended = true;
            return readError ? -1 : 0;
        }
        std::copy_n(input.constData() + at, count, into);
        at += count;
        return count;
    });
    while (const auto line = lines.next()) {
        fed.decoded = fed.decoded && line->text;
        fed.lines.append(line->text ? line->text->toUtf8() : line->utf8.toByteArray());
        if (line->cut)
            fed.lines.last() += line->digits ? "[cut, digits]" : "[cut]";
    }
    fed.decoded = fed.decoded && !fed.lines.isEmpty();
    fed.failed = lines.failed();
    fed.nothingAfterEnd = !lines.next();
    return fed;
}

QByteArray bytes(const char *data, qsizetype size)
{
    return QByteArray(data, size);
}

// The text as a UTF-16 or UTF-32 input has it; a row writes its byte order mark as U+FEFF.
QByteArray encoded(QStringView text, QStringConverter::Encoding encoding = QStringConverter::Utf16LE)
{
    return QStringEncoder(encoding).encode(text);
}

} // namespace

class tst_InputLines : public QObject
{
    Q_OBJECT

private slots:
    void sameLinesInAnyReads_data();
    void sameLinesInAnyReads();

    void eachLineAtOnce_data();
    void eachLineAtOnce();

    void boundedMemory_data();
    void boundedMemory();
};

void tst_InputLines::sameLinesInAnyReads_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<bool>("decoded");
    QTest::addColumn<bool>("readError"); // the input ends in a failed read

    using Lines = QList<QByteArray>;
    const QByteArray block(1 << 16, '7'); // as long as one read of the reader
    const auto longest = qsizetype(InputLines::longestLine);
    const QByteArray start(longest, '7'); // what is kept of a longer line

    QTest::newRow("nothing") << QByteArray() << Lines{} << false << false;
    QTest::newRow("LF") << QByteArray("1\n2\n") << Lines{"1", "2"} << false << false;
    QTest::newRow("no line end at the end")
        << QByteArray("1\n2") << Lines{"1", "2"} << false << false;
    QTest::newRow("CR LF, and a CR at the end")
        << QByteArray("1\r\n2\r\n3\r") << Lines{"1", "2", "3"} << false << false;
    QTest::newRow("a CR elsewhere is kept")
        << QByteArray("1\r2\n\r\r\n") << Lines{"1\r2", "\r"} << false << false;
    QTest::newRow("empty lines") << QByteArray("\n\n") << Lines{"", ""} << false << false;
    QTest::newRow("NUL inside a line")
        << bytes("1\0002\n", 4) << Lines{bytes("1\0002", 3)} << false << false;
    // The bytes as they are: a broken sequence keeps its line end wherever a read cuts it.
    QTest::newRow("broken UTF-8 before a line end")
        << QByteArray("\xF0\x9F\n5\n\xC3") << Lines{"\xF0\x9F", "5", "\xC3"} << false << false;
    // A line longer than the longest is its start and whether it all has the shape of a number
    // (digits, a sign and white space at the ends), however the reads cut it.
    QTest::newRow("the longest lines are whole")
        << start + "\n" + start.first(longest - 1) + "\r\n" + start
        << Lines{start, start.first(longest - 1), start} << false << false;
    QTest::newRow("a line longer than a block")
        << block + block + "\n8" << Lines{start + "[cut, digits]", "8"} << false << false;
    QTest::newRow("one more than the longest, CR LF")
        << start + "7\r\n8" << Lines{start + "[cut, digits]", "8"} << false << false;
    QTest::newRow("a long number with a sign and white space")
        << " \t-" + start + " \r\n"
        << Lines{"\t-" + start.first(longest - 2) + "[cut, digits]"} << false << false;
    QTest::newRow("a long number's byte order mark is no part of it")
        << "\xEF\xBB\xBF" + start + "7" << Lines{start.first(longest - 3) + "[cut, digits]"}
        << false << false;
    // White space in front of a long line is let go of (all but one unit), and zeros and white
    // space at its end, which the convert rule reads the same: what is left is a line like any
    // other.
    const QByteArray blanks(2 * longest, ' ');
    QTest::newRow("a short number in much white space")
        << blanks + "\xEF\xBB\xBF" "42" + blanks + "\n"
        << Lines{" \xEF\xBB\xBF" "42" + blanks.first(longest - 6)} << false << false;
    QTest::newRow("a fraction's zeros past the longest")
        << "12,5" + QByteArray(2 * longest, '0') + " \r\n7"
        << Lines{"12,5" + QByteArray(longest - 4, '0'), "7"} << false << false;
    QTest::newRow("zeros, then a digit") << "1," + QByteArray(2 * longest, '0') + "1"
                                         << Lines{"1," + QByteArray(longest - 2, '0') + "[cut]"}
                                         << false << false;
    QTest::newRow("only white space") << blanks + "\r\n" + blanks << Lines{"", " "} << false
                                      << false;
    QTest::newRow("a letter at the end of a long line")
        << start + "7x\n8" << Lines{start + "[cut]", "8"} << false << false;
    QTest::newRow("digits after white space at the end")
        << start + " 7" << Lines{start + "[cut]"} << false << false;
    QTest::newRow("two signs") << "--" + start << Lines{"--" + start.first(longest - 2) + "[cut]"}
                               << false << false;

    // A byte order mark that starts a line is dropped, however many and on whatever line.
    QTest::newRow("UTF-8 byte order mark") << QByteArray("\xEF\xBB\xBF"
                                                         "1\n\xEF\xBB\xBF\xEF\xBB\xBF"
                                                         "2\n\xEF\xBB\xBF\n")
                                           << Lines{"1", "2", ""} << false << false;
    QTest::newRow("UTF-8 byte order mark inside a line is kept")
        << QByteArray("1\xEF\xBB\xBF\n") << Lines{"1\xEF\xBB\xBF"} << false << false;
    QTest::newRow("UTF-16LE, CR LF, a mark on the next line")
        << encoded(u"\uFEFF1\r\n\uFEFF2") << Lines{"1", "2"} << true << false;
    QTest::newRow("UTF-16BE") << encoded(u"\uFEFF1\nžž", QStringConverter::Utf16BE)
                              << Lines{"1", "žž"} << true << false;
    QTest::newRow("UTF-32LE") << encoded(u"\uFEFF1\n", QStringConverter::Utf32LE) << Lines{"1"}
                              << true << false;
    QTest::newRow("UTF-32BE") << encoded(u"\uFEFF1", QStringConverter::Utf32BE) << Lines{"1"}
                              << true << false;
    QTest::newRow("UTF-16 line longer than a block")
        << encoded(QChar(QChar::ByteOrderMark) + QString(block.size() + 1, u'7') + u'\n')
        << Lines{start + "[cut, digits]"} << true << false;
    QTest::newRow("UTF-16 letters longer than the longest")
        << encoded(QChar(QChar::ByteOrderMark) + QString(longest + 1, u'ž'))
        << Lines{QByteArray("ž").repeated(longest) + "[cut]"} << true << false;

    // A unit cut off at the end is a broken character in the last line, not lost.
    QTest::newRow("UTF-16, a cut-off unit")
        << encoded(u"\uFEFF5\n12") + ' ' << Lines{"5", "12\uFFFD"} << true << false;
    QTest::newRow("UTF-16, a cut-off unit after a line end")
        << encoded(u"\uFEFF5\n") + 'x' << Lines{"5", "\uFFFD"} << true << false;
    QTest::newRow("UTF-16, a cut-off unit after the mark")
        << encoded(u"\uFEFF") + '\0' << Lines{"\uFFFD"} << true << false;
    QTest::newRow("UTF-32, three bytes of a unit")
        << encoded(u"\uFEFF5", QStringConverter::Utf32LE) + bytes("6\0\0", 3)
        << Lines{"5\uFFFD"} << true << false;

    // The start of a mark, and no more, is UTF-8.
    QTest::newRow("the start of a mark at the end")
        << bytes("\0\0\xFE", 3) << Lines{bytes("\0\0\xFE", 3)} << false << false;
    QTest::newRow("only a UTF-16 mark") << QByteArray("\xFF\xFE") << Lines{} << false << false;

    QTest::newRow("read error after a line") << QByteArray("1\n") << Lines{"1"} << false << true;
    // What came of a line before a failed read may be only part of it: never handed over.
    QTest::newRow("read error inside a line") << QByteArray("1\n2") << Lines{"1"} << false << true;
    QTest::newRow("read error inside a long line")
        << "1\n" + block + block << Lines{"1"} << false << true;
    QTest::newRow("read error inside a UTF-16 line")
        << encoded(u"\uFEFF5\n6") << Lines{"5"} << true << true;
    QTest::newRow("read error at once") << QByteArray() << Lines{} << false << true;
}

void tst_InputLines::sameLinesInAnyReads()
{
    QFETCH(QByteArray, input);
    QFETCH(QList<QByteArray>, lines);
    QFETCH(bool, decoded);
    QFETCH(bool, readError);

    for (const int chunk : {1, 2, 3, 5, 4093, unlimited}) {
        const QByteArray reads = "reads of " + QByteArray::number(chunk);
        const Fed fed = feed(input, chunk, readError);
        QVERIFY2(fed.lines == lines, reads);
        QVERIFY2(fed.decoded == decoded, reads);
        QVERIFY2(fed.failed == readError, reads);
        // At a terminal the end is Ctrl+D once; reading on would wait for more typing.
        QVERIFY2(fed.readsAfterEnd == 0 && fed.nothingAfterEnd, reads);
    }
}

void tst_InputLines::eachLineAtOnce_data()
{
    QTest::addColumn<QList<QByteArray>>("reads");     // what each read gives, as typed
    QTest::addColumn<QList<int>>("readsForEachLine"); // reads made when each line is handed over

    QTest::newRow("UTF-8") << QList<QByteArray>{"1\n", "2\r\n", "3\n"} << QList<int>{1, 2, 3};
    QTest::newRow("two lines in one read")
        << QList<QByteArray>{"1\n2\n", "3\n"} << QList<int>{1, 1, 2};
    QTest::newRow("UTF-16") << QList<QByteArray>{encoded(u"\uFEFF1\n"), encoded(u"2\n")}
                            << QList<int>{1, 2};
    // Each of the first bytes comes on its own: the mark is told only from all of them.
    QTest::newRow("UTF-16 mark split")
        << QList<QByteArray>{"\xFF", "\xFE" + encoded(u"12\n")} << QList<int>{2};
    const QByteArray zero(1, '\0');
    QTest::newRow("UTF-32 mark split")
        << QList<QByteArray>{"\xFF", "\xFE", zero, zero + encoded(u"1\n", QStringConverter::Utf32LE)}
        << QList<int>{4};
}

void tst_InputLines::eachLineAtOnce()
{
    QFETCH(QList<QByteArray>, reads);
    QFETCH(QList<int>, readsForEachLine);

    int made = 0;
    InputLines lines([&](char *into, std::size_t size) -> std::ptrdiff_t {
        if (made == reads.size())
            return 0;
        const QByteArray &given = reads.at(made++);
        const auto count = std::min(std::size_t(given.size()), size);
        std::copy_n(given.constData(), count, into);
        return std::ptrdiff_t(count);
    });
    for (const int expected : readsForEachLine) {
        const auto line = lines.next();
        QVERIFY(line);
        QCOMPARE(made, expected);
    }
    QVERIFY(!lines.next());
    QVERIFY(!lines.failed());
}

// However long a line, the reader holds a few blocks, never the line: fed without ever being
// held whole here either, each read made up as it is asked for.
void tst_InputLines::boundedMemory_data()
{
    QTest::addColumn<QByteArray>("first");  // the input's first bytes
    QTest::addColumn<QByteArray>("repeat"); // then this, again and again
    QTest::addColumn<bool>("readError");    // at the end
    QTest::addColumn<QByteArray>("line");   // what comes of it: its start, cut

    const QByteArray start(qsizetype(InputLines::longestLine), '1');
    QTest::newRow("digits, no line end")
        << QByteArray() << QByteArray("1") << false << start + "[cut, digits]";
    QTest::newRow("UTF-16 digits")
        << encoded(u"\uFEFF") << encoded(u"1") << false << start + "[cut, digits]";
    QTest::newRow("UTF-32 letters")
        << encoded(u"\uFEFF", QStringConverter::Utf32LE) << encoded(u"a", QStringConverter::Utf32LE)
        << false << QByteArray(start.size(), 'a') + "[cut]";
    QTest::newRow("digits, then a failed read")
        << QByteArray() << QByteArray("1") << true << QByteArray();
}

void tst_InputLines::boundedMemory()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, repeat);
    QFETCH(bool, readError);
    QFETCH(QByteArray, line);

    constexpr qsizetype length = 16 << 20; // far past any bound a buffer could have
    constexpr std::size_t bound = 512 << 10;
    qsizetype at = 0;
    std::size_t most = 0;
    InputLines *reader = nullptr;
    InputLines lines([&](char *into, std::size_t size) -> std::ptrdiff_t {
        most = std::max(most, reader->bufferBytes());
        if (at == length)
            return readError ? -1 : 0;
        const qsizetype count = std::min(qsizetype(size), length - at);
        for (qsizetype i = 0; i < count; ++i, ++at) {
            into[i] =
                at < first.size() ? first.at(at) : repeat.at((at - first.size()) % repeat.size());
        }
        return count;
    });
    reader = &lines;

    QList<QByteArray> read;
    while (const auto next = lines.next()) {
        read.append(next->text ? next->text->toUtf8() : next->utf8.toByteArray());
        if (next->cut)
            read.last() += next->digits ? "[cut, digits]" : "[cut]";
    }
    most = std::max(most, lines.bufferBytes());
    QCOMPARE(read, line.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{line});
    QCOMPARE(lines.failed(), readError);
    QVERIFY2(most <= bound, QByteArray::number(qulonglong(most)));
}

QTEST_APPLESS_MAIN(tst_InputLines)
#include "tst_inputlines.moc"
