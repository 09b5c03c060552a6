// The currency choice in the window menu: what each choice hands on to the result, that it is
// remembered for the next start, and that a store that cannot be used never stops the window.
#include "formfixture.h"
#include "presentation.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include <fcntl.h>         // open
#include <sys/stat.h>      // lstat, mkfifo, mknod
#include <sys/sysmacros.h> // makedev
#include <unistd.h>        // close, geteuid

namespace {

const QString storeName = QStringLiteral("suma-zodziais/suma-zodziais.conf");
const QString lt = QStringLiteral("&Litai (Lt)");
const QString eur = QStringLiteral("&Eurai (Eur)");
const QString eurNoun = QStringLiteral("Eurai &žodžiu");

QMenu *currencyMenu(const Form1 &form)
{
    return form.findChild<QMenu *>(QStringLiteral("currencyMenu"));
}

// The text of the one checked entry of the currency menu; "" for none, "(several)" for more.
QString checkedEntry(const Form1 &form)
{
    const QMenu *menu = currencyMenu(form);
    if (!menu)
        return QStringLiteral("(no menu)");
    QStringList checked;
    for (const QAction *action : menu->actions()) {
        if (action->isChecked())
            checked.append(action->text());
    }
    return checked.size() > 1 ? QStringLiteral("(several)") : checked.value(0);
}

// A key with its text, as a keyboard layout delivers it: QTest makes text only for ASCII.
void typeKey(QWidget *widget, Qt::Key key, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

// What stands at a path, told without opening anything but a regular file.
QString whatIsAt(const QString &path)
{
    struct stat status = {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return QStringLiteral("nothing");
    if (S_ISLNK(status.st_mode)) {
        const QString target = QFileInfo(path).symLinkTarget();
        return QStringLiteral("link to %1 (%2)").arg(target, whatIsAt(target));
    }
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("node of mode %1").arg(status.st_mode & S_IFMT, 0, 8);
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll().toBase64())
                                          : QStringLiteral("unreadable file");
}

// Opens a FIFO's writing end whenever someone waits to read it, so that a store that opens it
// meets its end instead of hanging the test; counts those readers.
class FifoWatchdog
{
public:
    explicit FifoWatchdog(const QString &path)
        : m_thread([this, name = QFile::encodeName(path)](const std::stop_token &stop) {
              while (!stop.stop_requested()) {
                  const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK);
                  if (fd >= 0) {
                      ++readers;
                      ::close(fd);
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(5));
              }
          })
    {
    }
    std::atomic<int> readers = 0;

private:
    std::jthread m_thread;
};

} // namespace

class tst_Currency : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Lithuanian, QLocale::Lithuania)); }
    void init() { store = std::make_unique<PinnedSettings>(); } // a fresh, empty store each time
    void cleanup();

    void menuEntries();
    void chosenByKeysAppliesAndIsRemembered_data();
    void chosenByKeysAppliesAndIsRemembered();
    void unusableStoreStartsWithLt_data();
    void unusableStoreStartsWithLt();

private:
    // A loaded, active window over a recording toolkit, as the program starts it.
    Form1 &startWindow()
    {
        toolkits.push_back(std::make_unique<RecordingToolkit>());
        windows.push_back(std::make_unique<Form1>(*toolkits.back()));
        Form1 &form = *windows.back();
        form.Form_Load();
        form.activateWindow();
        if (!QTest::qWaitForWindowActive(&form))
            qWarning("the window did not become active");
        return form;
    }
    RecordingToolkit &toolkitOf(std::size_t window) { return *toolkits.at(window); }

    // Types the text and Enter into Text1; the result as the label shows it.
    static QString convert(Form1 &form, const QString &typed)
    {
        form.Text1->clear();
        QTest::keyClicks(form.Text1, typed);
        QTest::keyClick(form.Text1, Qt::Key_Return);
        return form.Label1->text();
    }

    std::unique_ptr<PinnedSettings> store;
    std::vector<std::unique_ptr<RecordingToolkit>> toolkits;
    std::vector<std::unique_ptr<Form1>> windows;
};

void tst_Currency::cleanup()
{
    if (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
    windows.clear();
    toolkits.clear();
    store.reset();
}

// The currency menu is the window menu's entry before the last ("Apie..."; the entries' texts
// and their order are tst_lithuanian's), and a new user's choice is Lt.
void tst_Currency::menuEntries()
{
    Form1 &form = startWindow();
    const auto *windowMenu = form.findChild<QMenu *>(QStringLiteral("windowMenu"));
    QVERIFY(windowMenu);
    const QList<QAction *> top = windowMenu->actions();
    QMenu *menu = currencyMenu(form);
    QVERIFY(menu && top.size() >= 2);
    QCOMPARE(top.at(top.size() - 2), menu->menuAction());
    QCOMPARE(checkedEntry(form), lt);
}

void tst_Currency::chosenByKeysAppliesAndIsRemembered_data()
{
    QTest::addColumn<int>("currency"); // suma::Currency
    QTest::addColumn<Qt::Key>("key");  // the entry's mnemonic
    QTest::addColumn<QString>("keyText");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("literal"); // the result for 21
    QTest::addColumn<bool>("link");       // the store a symbolic link, as dotfile managers make

    QTest::newRow("Lt") << int(suma::Currency::Lt) << Qt::Key_L << "l" << lt << "Lt"
                        << "Dvidešimt vienas Lt" << false;
    QTest::newRow("Eur") << int(suma::Currency::Eur) << Qt::Key_E << "e" << eur << "Eur"
                         << "Dvidešimt vienas Eur" << false;
    QTest::newRow("euro noun") << int(suma::Currency::EurNoun) << Qt::Key_unknown << "ž" << eurNoun
                               << "eurai"
                               << "Dvidešimt vienas euras" << false;
    QTest::newRow("Eur, through a link")
        << int(suma::Currency::Eur) << Qt::Key_E << "e" << eur << "Eur"
        << "Dvidešimt vienas Eur" << true;
}

void tst_Currency::chosenByKeysAppliesAndIsRemembered()
{
    QFETCH(int, currency);
    QFETCH(Qt::Key, key);
    QFETCH(QString, keyText);
    QFETCH(QString, entry);
    QFETCH(QString, stored);
    QFETCH(QString, literal);
    QFETCH(bool, link);

    // Another choice first, so that every row moves the check.
    QFile file(store->folder() + u'/' + storeName);
    QVERIFY(QDir().mkpath(store->folder() + QStringLiteral("/suma-zodziais")));
    const QString target = store->folder() + QStringLiteral("/dotfiles/suma-zodziais.conf");
    if (link) {
        QVERIFY(QDir().mkpath(store->folder() + QStringLiteral("/dotfiles")));
        QVERIFY(QFile::link(QStringLiteral("../dotfiles/suma-zodziais.conf"), file.fileName()));
    }
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(currency == int(suma::Currency::EurNoun) ? "[General]\nvaliuta=Eur\n"
                                                        : "[General]\nvaliuta=eurai\n");
    file.close();

    Form1 &form = startWindow();
    RecordingToolkit &toolkit = toolkitOf(0);
    QVERIFY(checkedEntry(form) != entry);
    const QString before = convert(form, QStringLiteral("7"));
    const int writes = toolkit.clipboardWrites;

    // Shift+F10, then the mnemonics: V for "Valiuta", then the entry's own.
    QTest::keyClick(form.Text1, Qt::Key_F10, Qt::ShiftModifier);
    QVERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_V);
    QCOMPARE(QApplication::activePopupWidget(), currencyMenu(form));
    typeKey(QApplication::activePopupWidget(), key, keyText);
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
    QCOMPARE(checkedEntry(form), entry);

    // The choice converts nothing by itself.
    QCOMPARE(form.Label1->text(), before);
    QCOMPARE(toolkit.clipboardWrites, writes);

    const QString result = convert(form, QStringLiteral("21"));
    QCOMPARE(result, literal);
    QCOMPARE(toolkit.clipboard, result);
    QVERIFY(toolkit.messages.isEmpty());

    QCOMPARE(QSettings(file.fileName(), QSettings::IniFormat).value("valiuta").toString(), stored);
    if (link)
        QCOMPARE(QFileInfo(file.fileName()).symLinkTarget(), target);
    // The next start finds it.
    Form1 &next = startWindow();
    QCOMPARE(checkedEntry(next), entry);
    QCOMPARE(convert(next, QStringLiteral("21")), result);
}

void tst_Currency::unusableStoreStartsWithLt_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QByteArray>("content"); // of the store file
    QTest::addColumn<bool>("writable");

    QTest::newRow("unknown value") << "file" << QByteArray("[General]\nvaliuta=USD\n") << true;
    QTest::newRow("other case") << "file" << QByteArray("[General]\nvaliuta=EUR\n") << true;
    // Read as another type, whose text would be a currency's.
    QTest::newRow("not text") << "file" << QByteArray("[General]\nvaliuta=@ByteArray(Eur)\n") << true;
    QTest::newRow("in another group") << "file" << QByteArray("[Kita]\nvaliuta=Eur\n") << true;
    QTest::newRow("store is a folder") << "folder" << QByteArray() << false;
    QTest::newRow("no folder can be made") << "blocked" << QByteArray() << false;
    // No store, and left as it is: neither read (a FIFO would block the window, a huge file
    // take seconds and gigabytes) nor replaced by a file of ours.
    QTest::newRow("link to /dev/null") << "null" << QByteArray() << false;
    QTest::newRow("link to /dev/zero") << "zero" << QByteArray() << false;
    QTest::newRow("FIFO") << "fifo" << QByteArray() << false;
    QTest::newRow("oversized") << "file"
                               << "[General]\nvaliuta=Eur\n;" + QByteArray(1 << 20, 'x') + '\n'
                               << false;
    QTest::newRow("link to nothing") << "dangling" << QByteArray() << false;
}

void tst_Currency::unusableStoreStartsWithLt()
{
    QFETCH(QString, setup);
    QFETCH(QByteArray, content);
    QFETCH(bool, writable);

    const QString path = store->folder() + u'/' + storeName;
    QVERIFY(QDir().mkpath(store->folder() + QStringLiteral("/suma-zodziais")));
    std::unique_ptr<FifoWatchdog> watchdog;
    // As root the devices are copies of the system's, so that a store that fails here replaces
    // a copy, never /dev/null itself.
    const auto device = [&](const char *name, unsigned minor) {
        const QString copy = store->folder() + u'/' + QLatin1StringView(name);
        const bool copied = ::geteuid() == 0
                            && ::mknod(QFile::encodeName(copy).constData(), S_IFCHR | 0666,
                                       makedev(1, minor))
                                   == 0;
        return QFile::link(copied ? copy : QStringLiteral("/dev/") + QLatin1StringView(name),
                           path);
    };
    if (setup == u"file") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    } else if (setup == u"folder") {
        QVERIFY(QDir().mkpath(path));
    } else if (setup == u"null" || setup == u"zero") {
        QVERIFY(setup == u"null" ? device("null", 3) : device("zero", 5));
    } else if (setup == u"fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        watchdog = std::make_unique<FifoWatchdog>(path);
    } else if (setup == u"dangling") {
        QVERIFY(QFile::link(store->folder() + QStringLiteral("/gone.conf"), path));
    } else {
        // The configuration folder stands where a plain file is: nothing can be made under it.
        QFile blocker(store->folder() + QStringLiteral("/blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           blocker.fileName() + QStringLiteral("/config"));
    }

    const QString before = whatIsAt(path);
    Form1 &form = startWindow();
    QCOMPARE(checkedEntry(form), lt);
    QCOMPARE(convert(form, QStringLiteral("21")), QStringLiteral("Dvidešimt vienas Lt"));

    // A choice still holds for this run, whether or not it can be kept.
    QMenu *menu = currencyMenu(form);
    QVERIFY(menu);
    menu->actions().at(1)->trigger();
    QCOMPARE(checkedEntry(form), eur);
    QCOMPARE(convert(form, QStringLiteral("21")), QStringLiteral("Dvidešimt vienas Eur"));
    QVERIFY(toolkitOf(0).messages.isEmpty());

    Form1 &next = startWindow();
    QCOMPARE(checkedEntry(next), writable ? eur : lt);
    QVERIFY(toolkitOf(1).messages.isEmpty());
    if (!writable)
        QCOMPARE(whatIsAt(path), before);
    if (watchdog)
        QCOMPARE(watchdog->readers.load(), 0);
}

QTEST_MAIN(tst_Currency)
#include "tst_currency.moc"
