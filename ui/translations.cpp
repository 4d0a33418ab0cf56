#include "ui/translations.h"

#include <memory>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "window/ui_language.h"

namespace calpero {
namespace {

// The translations in force: the program's own (built into it) and Qt's.
struct TInstalledTranslations {
  QString Language;
  std::vector<std::unique_ptr<QTranslator>> Translators;
};

TInstalledTranslations& Installed() {
  static TInstalledTranslations installed;
  return installed;
}

void InstallTranslator(const QString& file, const QString& folder) {
  auto translator = std::make_unique<QTranslator>();
  if (translator->load(file, folder)) {
    QCoreApplication::installTranslator(translator.get());
    Installed().Translators.push_back(std::move(translator));
  }
}

}  // namespace

QString InstallTranslations(const QLocale& locale) {
  TInstalledTranslations& installed = Installed();
  for (const std::unique_ptr<QTranslator>& translator : installed.Translators) {
    QCoreApplication::removeTranslator(translator.get());
  }
  installed.Translators.clear();

  std::vector<std::string> preferences;
  for (const QString& language : locale.uiLanguages()) {
    preferences.push_back(language.toStdString());
  }
  installed.Language =
      QString::fromStdString(ChooseTranslation(preferences, TranslatedLanguages()));
  if (!installed.Language.isEmpty()) {
    InstallTranslator(QStringLiteral("calpero_") + installed.Language,
                      QStringLiteral(":/translations"));
    InstallTranslator(QStringLiteral("qtbase_") + installed.Language,
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  }
  return installed.Language;
}

QString WindowLanguage() { return Installed().Language; }

}  // namespace calpero
