#pragma once

#include <QStringList>

class QCoreApplication;

namespace suma {

// Where Qt's own translations are looked for, first to last. On Windows the installed program
// carries them in a "translations" folder beside it, wherever Qt itself was built; Qt's own
// folder comes after it.
[[nodiscard]] QStringList qtTranslationFolders();

// The program speaks Lithuanian whatever the user's locale, Qt's own words included: this
// installs Qt's Lithuanian translation, from the first of `folders` that has it, and the
// program's compiled-in catalogue for the words of Qt that Qt's file lacks (the message boxes'
// button, the headings of --help). A translation that is not there is no error: those words
// stay Qt's English, and nothing is said. Returns whether Qt's translation was found.
bool installLithuanian(QCoreApplication &app, const QStringList &folders = qtTranslationFolders());

} // namespace suma
