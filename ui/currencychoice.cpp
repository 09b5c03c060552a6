#include "currencychoice.h"

#include "currencynames.h"

#include <QSettings>
#include <QString>

#ifndef Q_OS_WIN
#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#endif

namespace suma {

namespace {

const QString key = QStringLiteral("valiuta");

// Named explicitly rather than from the application's names, so that the window keeps the same
// store whoever creates it (the program or a test).
const QString organization = QStringLiteral("suma-zodziais");
const QString application = QStringLiteral("suma-zodziais");

Currency readFrom(const QSettings &settings)
{
    if (settings.status() != QSettings::NoError)
        return Currency::Lt;
    const QVariant value = settings.value(key);
    // Only a plain text counts: a list or another type read back from a hand-edited file does not.
    if (value.typeId() != QMetaType::QString)
        return Currency::Lt;
    const QString text = value.toString();
    for (const CurrencyName &name : currencyNames) {
        if (text == name.stored)
            return name.currency;
    }
    return Currency::Lt;
}

void writeTo(QSettings &settings, Currency currency)
{
    settings.setValue(key, currencyNames[positionOf(currency)].stored.toString());
    settings.sync(); // now, not at exit: a program ended by force keeps the choice too
}

#ifdef Q_OS_WIN

// The registry, under the current user.
QSettings store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, organization, application);
}

} // namespace

Currency storedCurrency()
{
    return readFrom(store());
}

void storeCurrency(Currency currency)
{
    QSettings settings = store();
    writeTo(settings, currency);
}

#else

// The store's file: suma-zodziais/suma-zodziais.conf in the folder where QSettings keeps user
// settings, wherever QSettings::setPath has moved that (the tests and the screenshot tool do).
// Only QSettings knows that folder, and it reads every file it names as it is made; so it is
// asked through a name inside the store's own path, where a file can be only when the store is
// a folder, which never counts as a store.
QString storePath()
{
    const QString inside = QStringLiteral("/.conf");
    const QSettings probe(QSettings::NativeFormat, QSettings::UserScope,
                          organization + u'/' + application + QStringLiteral(".conf/"));
    QString path = probe.fileName();
    path.chop(inside.size());
    return path;
}

// What stands at the store's path. Only a regular file of a few KiB is read or written; a
// symbolic link to one is followed, as dotfile managers keep their files. Anything else (a link
// to /dev/null or /dev/zero, a FIFO, which would block whoever opens it, a folder, a huge file)
// is no store and is left as it is. Told by stat, without opening anything.
enum class Store { Missing, File, Unusable };

Store storeAt(const QString &path)
{
    constexpr off_t largest = 16 * 1024;
    const QByteArray name = QFile::encodeName(path);
    struct stat status = {};
    if (::stat(name.constData(), &status) == 0) {
        return S_ISREG(status.st_mode) && status.st_size <= largest ? Store::File
                                                                     : Store::Unusable;
    }
    // Nothing there, not even a link to something missing: QSettings may make the file.
    struct stat link = {};
    return errno == ENOENT && ::lstat(name.constData(), &link) != 0 && errno == ENOENT
               ? Store::Missing
               : Store::Unusable;
}

} // namespace

Currency storedCurrency()
{
    const QString path = storePath();
    if (storeAt(path) != Store::File)
        return Currency::Lt;
    return readFrom(QSettings(path, QSettings::IniFormat));
}

void storeCurrency(Currency currency)
{
    // Looked at again: the window may have run for days. QSettings writes a new file and renames
    // it into place; through a link it does so at the link's target, so the link stays a link.
    const QString path = storePath();
    if (storeAt(path) == Store::Unusable)
        return;
    QSettings settings(path, QSettings::IniFormat);
    writeTo(settings, currency);
}

#endif

} // namespace suma
