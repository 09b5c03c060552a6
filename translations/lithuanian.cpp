#include "lithuanian.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace suma {

namespace {

// Installs the catalogue `name` ("qt" for qt_lt.qm) from the first folder that has it.
bool install(QCoreApplication &app, const QString &name, const QStringList &folders)
{
    const QLocale lithuanian(QLocale::Lithuanian, QLocale::Lithuania);
    auto *translator = new QTranslator(&app);
    for (const QString &folder : folders) {
        if (translator->load(lithuanian, name, QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
    }
    delete translator;
    return false;
}

} // namespace

QStringList qtTranslationFolders()
{
    QStringList folders;
#ifdef Q_OS_WIN
    folders.append(QCoreApplication::applicationDirPath() + QStringLiteral("/translations"));
#endif
    folders.append(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    folders.removeDuplicates(); // Qt's folder is that same one in the installed program
    return folders;
}

bool installLithuanian(QCoreApplication &app, const QStringList &folders)
{
    const bool qtFound = install(app, QStringLiteral("qt"), folders);
    // Installed last, so searched first.
    install(app, QStringLiteral("suma-zodziais"), {QStringLiteral(":/i18n")});
    return qtFound;
}

} // namespace suma
