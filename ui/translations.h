#pragma once

#include <QLocale>
#include <QString>

namespace calpero {

// Makes the windows speak the language of `locale`'s preferred user-interface languages (for the
// desktop's locale: $LANGUAGE, else $LC_ALL, $LC_MESSAGES or $LANG), chosen by ChooseTranslation
// among the program's translations, and installs Qt's own translation of that language too, so
// that a message box's standard buttons speak it (when the system has it). Translations installed
// by an earlier call are removed first; English installs none. Returns the language chosen ("de"),
// or "" for English. Call it once the application object exists and before any window is built.
QString InstallTranslations(const QLocale& locale);

// The language that the last InstallTranslations chose, "" for English: the language in which
// the help page is opened.
QString WindowLanguage();

}  // namespace calpero
