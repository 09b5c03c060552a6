// zodziais: the window's result text for scripts, one output line for each input.

#include "currencynames.h"
#include "inputlines.h"
#include "lithuanian.h"
#include "presentation.h"
#include "utf8conversion.h"
#include "version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>
#include <QStringList>
#include <QTextStream>

#include <algorithm> // find_if
#include <cstdio>
#include <cstdlib> // exit
#include <memory>

#ifdef Q_OS_WIN
#include <fcntl.h> // _O_BINARY
#include <io.h>    // _isatty, _setmode
#else
#include <cerrno>
#include <fcntl.h>  // fcntl, open
#include <unistd.h> // isatty
#endif

namespace {

constexpr int exitRefused = 1;
constexpr int exitUsage = 2;

// What a refusal message shows of the input: no control or format characters, which a terminal
// could take for commands (escape sequences), and no broken surrogates, each of which becomes
// U+FFFD; a runaway line is cut after about 60 characters, never inside a surrogate pair.
QString echoed(QStringView input)
{
    constexpr qsizetype longest = 60;
    QString text;
    qsizetype i = 0;
    while (i < input.size() && i < longest) {
        char32_t c = input[i].unicode();
        qsizetype units = 1;
        if (QChar::isHighSurrogate(c) && i + 1 < input.size() && input[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(input[i], input[i + 1]);
            units = 2;
        }
        if (QChar::isPrint(c))
            text += input.sliced(i, units);
        else
            text += QChar(QChar::ReplacementCharacter);
        i += units;
    }
    if (i < input.size())
        text += QChar(0x2026);
    return text;
}

bool stdinIsTerminal()
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stdin)) != 0;
#else
    return isatty(fileno(stdin)) != 0;
#endif
}

// Which standard streams were closed when the program started. Each one's descriptor is then
// taken by the null device, so that nothing the program opens itself (Qt's own descriptors) lands
// in its place and receives what was meant for the stream; a closed output still fails as a
// write does, and a closed input as a read does.
struct ClosedStreams
{
    bool input = false;
    bool output = false;
};

ClosedStreams fillClosedStandardStreams()
{
    ClosedStreams closed;
#ifndef Q_OS_WIN
    for (const int fd : {0, 1, 2}) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free descriptor: this one, as those below it are open by now.
        if (open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY) != fd)
            std::_Exit(exitRefused);
        (fd == 0 ? closed.input : closed.output) |= fd < 2;
    }
#endif
    return closed;
}

ClosedStreams closedAtStart;

void reportUnwritten()
{
    QTextStream(stderr) << QCoreApplication::applicationName()
                        << QStringLiteral(": nepavyko rašyti į standartinę išvestį\n");
}

// Writes UTF-8 to standard output; false when it cannot be written (closed, a full disk).
bool writeOut(QByteArrayView bytes)
{
    return !closedAtStart.output
           && std::fwrite(bytes.data(), 1, std::size_t(bytes.size()), stdout)
                  == std::size_t(bytes.size())
           && std::fflush(stdout) == 0;
}

// Writes the result line for each input, and the reason for each refusal to standard error.
// Results are gathered as UTF-8 and written in large blocks.
class Converter
{
public:
    Converter(const suma::ResultSettings &settings, const QLocale &locale)
        : m_settings(settings), m_locale(locale), m_err(stderr)
    {
    }

    // Each returns false for a refused input, which still gets its (empty) line.
    bool convert(QStringView input)
    {
        const QByteArray utf8 = input.toUtf8();
        return convert(utf8, input);
    }

    bool convert(QByteArrayView utf8Input) { return convert(utf8Input, {}); }
    // A line too long for any number, of which only the start was kept: a run of digits is too
    // large, as the convert rule says of every number past the largest, and anything else is
    // no number.
    bool refuseTooLong(QStringView start, bool digits)
    {
        return refuse(start, digits ? suma::Refusal::TooLarge : suma::Refusal::NotANumber);
    }

    // False once standard output could not be written (a full disk, a closed file): there is
    // no point in reading further.
    [[nodiscard]] bool outputWorks() const { return m_outputWorks; }

    bool flush()
    {
        if (m_outputWorks && m_used > 0)
            m_outputWorks = writeOut(QByteArrayView(m_block.get(), qsizetype(m_used)));
        m_used = 0;
        return m_outputWorks;
    }

private:
    static constexpr std::size_t blockSize = 1 << 16;

    // `shown` is the input as its refusal quotes it; the UTF-8 itself when null.
    bool convert(QByteArrayView utf8Input, QStringView shown)
    {
        const suma::Utf8Result done = suma::convertTypedUtf8(utf8Input, m_settings, m_locale,
                                                             m_block.get() + m_used);
        if (done.refusal)
            return refuse(shown.isNull() ? QString::fromUtf8(utf8Input) : shown.toString(),
                          *done.refusal);
        m_used += done.size;
        return endLine();
    }

    bool endLine()
    {
        m_block[m_used++] = '\n';
        if (m_used >= blockSize)
            flush();
        return true;
    }

    bool refuse(QStringView input, suma::Refusal why)
    {
        m_err << QCoreApplication::applicationName() << ": \"" << echoed(input)
              << "\": " << suma::messageOf(why) << '\n';
        m_err.flush();
        endLine();
        return false;
    }

    const suma::ResultSettings m_settings;
    const QLocale m_locale;
    // Results as they are gathered: less than a block, then room for the longest text and its
    // line end.
    std::unique_ptr<char[]> m_block{new char[blockSize + suma::utf8ResultRoom]};
    std::size_t m_used = 0;
    bool m_outputWorks = true;
    QTextStream m_err;
};

struct Request
{
    suma::ResultSettings settings;
    QLocale locale;
    QStringList numbers; // none: read standard input
};

// Help and version go to standard output in UTF-8 on every system. (Qt's own would write in
// the ANSI code page on Windows, or open a message box there when there is no console.)
[[noreturn]] void printAndExit(const QString &text)
{
    if (!writeOut(text.toUtf8())) {
        reportUnwritten();
        std::exit(exitRefused);
    }
    std::exit(0);
}

[[noreturn]] void usageError(const QString &message)
{
    QTextStream err(stderr);
    err << QCoreApplication::applicationName() << ": " << message << '\n'
        << QStringLiteral("Pagalba: ") << QCoreApplication::applicationName() << " --help\n";
    err.flush();
    std::exit(exitUsage);
}

// A negative number such as -5,25 would read as options. Before "--", every argument that
// begins with '-' and a digit is set aside for a stand-in that the parser takes as a number.
QStringList setNegativeNumbersAside(const QStringList &arguments, QStringList &setAside,
                                    const QString &standIn)
{
    QStringList result;
    result.reserve(arguments.size());
    bool optionsEnded = false;
    QStringView previous;
    for (const QString &argument : arguments) {
        const bool takesValue =
            previous == u"--currency" || previous == u"--cents" || previous == u"--locale";
        if (!optionsEnded && !takesValue && argument.size() > 1 && argument.front() == u'-'
            && argument.at(1).isDigit()) {
            result.append(standIn);
            setAside.append(argument);
        } else {
            result.append(argument);
        }
        optionsEnded = optionsEnded || argument == u"--";
        previous = argument;
    }
    return result;
}

Request parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Parašo kiekvieną skaičių lietuviškais žodžiais: pinigų sumą su centais arba paprastą "
        "skaičių.\nBe skaičių argumentų skaito standartinę įvestį, po vieną skaičių eilutėje, "
        "ir kiekvienai eilutei išveda po vieną eilutę."));
    const QCommandLineOption money(QStringLiteral("money"),
                                   QStringLiteral("Pinigų suma: žodžiai, valiuta ir centai "
                                                  "(numatyta)."));
    const QCommandLineOption plain(QStringLiteral("plain"),
                                   QStringLiteral("Paprastas skaičius: tik sveikoji dalis."));
    const QCommandLineOption first(QStringLiteral("first"),
                                   QStringLiteral("Pirma raidė didžioji (numatyta)."));
    const QCommandLineOption upper(QStringLiteral("upper"),
                                   QStringLiteral("Visos raidės didžiosios."));
    const QCommandLineOption lower(QStringLiteral("lower"),
                                   QStringLiteral("Visos raidės mažosios."));
    const auto &[lt, eur, eurNoun] = suma::currencyNames;
    const QCommandLineOption currency(
        QStringLiteral("currency"),
        QStringLiteral("Valiuta po žodžių: %1 (numatyta), %2 arba %3 (žodis „euras“ tokia "
                       "forma, kokios reikia sumai: vienas euras, du eurai, dešimt eurų).")
            .arg(lt.option, eur.option, eurNoun.option),
        QStringLiteral("%1|%2|%3").arg(lt.option, eur.option, eurNoun.option));
    const QCommandLineOption cents(
        QStringLiteral("cents"),
        QStringLiteral("Centai skaitmenimis su „ct“ (digits, numatyta) arba žodžiais su žodžiu "
                       "„centas“ tokia forma, kokios reikia: penkiasdešimt šeši centai (words)."),
        QStringLiteral("digits|words"));
    const QCommandLineOption locale(
        QStringLiteral("locale"),
        QStringLiteral("Skaičius skaityti pagal šią lokalę (pvz. lt_LT, en_US), o ne pagal "
                       "naudotojo nustatymus."),
        QStringLiteral("lokalė"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Parodo šią pagalbą."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Parodo programos versiją."));
    parser.addOptions({money, plain, first, upper, lower, currency, cents, locale, help, version});
    parser.addPositionalArgument(
        QStringLiteral("skaičius"),
        QStringLiteral("Skaičiai, kuriuos parašyti žodžiais; jei jų nėra, skaitoma standartinė "
                       "įvestis."),
        QStringLiteral("[--] [skaičius...]"));

    // A noncharacter: no argument a person types is ever equal to it.
    const QString standIn = QStringLiteral("\uFDD0-");
    QStringList setAside;
    if (!parser.parse(setNegativeNumbersAside(arguments, setAside, standIn)))
        usageError(parser.errorText());
    if (parser.isSet(help))
        printAndExit(parser.helpText());
    if (parser.isSet(version))
        printAndExit(QCoreApplication::applicationName() + u' '
                     + QCoreApplication::applicationVersion() + u'\n');

    Request request;
    if (parser.isSet(money) && parser.isSet(plain))
        usageError(QStringLiteral("--money ir --plain vienas kitą atmeta"));
    request.settings.money = !parser.isSet(plain);

    const int cases =
        int(parser.isSet(first)) + int(parser.isSet(upper)) + int(parser.isSet(lower));
    if (cases > 1)
        usageError(QStringLiteral("--first, --upper ir --lower vienas kitą atmeta"));
    request.settings.allCapitals = parser.isSet(upper);
    request.settings.firstCapital = !parser.isSet(lower);

    if (parser.isSet(currency)) {
        const QString word = parser.value(currency);
        const auto known =
            std::find_if(suma::currencyNames.begin(), suma::currencyNames.end(),
                         [&](const suma::CurrencyName &name) {
                             return word.compare(name.option, Qt::CaseInsensitive) == 0;
                         });
        if (known == suma::currencyNames.end()) {
            usageError(QStringLiteral("nežinoma valiuta \"%1\" (galima %2, %3 arba %4)")
                           .arg(word, lt.option, eur.option, eurNoun.option));
        }
        request.settings.currency = known->currency;
    }

    if (parser.isSet(cents)) {
        const QString form = parser.value(cents);
        if (form == u"words")
            request.settings.centsForm = suma::CentsForm::Words;
        else if (form != u"digits")
            usageError(
                QStringLiteral("nežinoma centų forma \"%1\" (galima digits arba words)").arg(form));
    }

    if (parser.isSet(locale)) {
        const QString name = parser.value(locale);
        request.locale = QLocale(name);
        // QLocale falls back to C for a name it does not know.
        const bool asksForC = name == u"C" || name == u"POSIX";
        if (request.locale == QLocale::c() && !asksForC)
            usageError(QStringLiteral("nežinoma lokalė \"%1\"").arg(name));
    }

    qsizetype nextSetAside = 0;
    for (const QString &number : parser.positionalArguments()) {
        if (number == standIn && nextSetAside < setAside.size())
            request.numbers.append(setAside.at(nextSetAside++));
        else
            request.numbers.append(number);
    }
    return request;
}

} // namespace

int main(int argc, char *argv[])
{
    // First of all: Qt opens descriptors of its own as it starts.
    closedAtStart = fillClosedStandardStreams();
#ifdef Q_OS_WIN
    // The bytes as they are, as everywhere else: no CR written before each LF, none taken from
    // the input, and no Ctrl+Z read as its end.
    for (FILE *stream : {stdin, stdout, stderr})
        _setmode(_fileno(stream), _O_BINARY);
#endif
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zodziais"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SUMA_VERSION_STRING));
    // The help's headings and the parser's messages come from Qt.
    suma::installLithuanian(app);

    const Request request = parseCommandLine(QCoreApplication::arguments());
    Converter converter(request.settings, request.locale);
    bool allConverted = true;

    if (!request.numbers.isEmpty()) {
        // An argument is read as a line of standard input is, byte order marks and all.
        for (const QString &number : request.numbers) {
            allConverted =
                converter.convert(zodziais::withoutByteOrderMarks(number)) && allConverted;
        }
    } else {
        // A standard input closed at start cannot be read, as a failed read.
        zodziais::InputLines lines(closedAtStart.input
                                   ? [](char *, std::size_t) -> std::ptrdiff_t { return -1; }
                                   : zodziais::InputLines::Read(zodziais::readStandardInput));
        // Someone typing at a terminal wants each answer at once; a pipe gets big writes.
        const bool interactive = stdinIsTerminal();
        while (converter.outputWorks()) {
            const auto line = lines.next();
            if (!line)
                break;
            bool converted = false;
            if (line->cut) {
                converted = converter.refuseTooLong(line->text ? line->text->toString()
                                                               : QString::fromUtf8(line->utf8),
                                                    line->digits);
            } else {
                converted =
                    line->text ? converter.convert(*line->text) : converter.convert(line->utf8);
            }
            allConverted = converted && allConverted;
            if (interactive)
                converter.flush();
        }
        if (lines.failed()) {
            converter.flush();
            QTextStream(stderr) << QCoreApplication::applicationName()
                                << QStringLiteral(": nepavyko skaityti standartinės įvesties\n");
            return exitRefused;
        }
    }
    if (!converter.flush()) {
        reportUnwritten();
        return exitRefused;
    }
    return allConverted ? 0 : exitRefused;
}
