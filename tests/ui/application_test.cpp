#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <stdexcept>

#include <QApplication>
#include <QFont>
#include <QLocale>
#include <QPushButton>

#include "catalogue/errors.h"
#include "catalogue/power_text.h"
#include "tests/support/modal_box_catcher.h"
#include "tests/ui/main_form_fixture.h"
#include "ui/desktop_settings.h"
#include "ui/message_boxes.h"
#include "ui/new_var_dlg.h"
#include "window/error_text.h"

namespace calpero::testing {
namespace {

TEST(CalperoApplication, IsNamedCalpero) {
  EXPECT_EQ(QApplication::applicationDisplayName(), QStringLiteral("Calpero"));
}

// Font names compare without regard to case; the toolkit keeps them in lower case.
QString Substitutes(const char* family) {
  return QFont::substitutes(QLatin1String(family)).join(QLatin1Char(',')).toLower();
}

TEST(CalperoApplication, MapsTheLayoutsWindowsFonts) {
  EXPECT_EQ(Substitutes("Book Antiqua"), QStringLiteral("tex gyre pagella,p052"));
  EXPECT_EQ(Substitutes("MS Sans Serif"), QStringLiteral("liberation sans,dejavu sans"));
  EXPECT_EQ(Substitutes("Tahoma"), QStringLiteral("liberation sans,dejavu sans"));
}

TEST(CalperoApplication, TakesTheDecimalSymbolOfALocale) {
  EXPECT_EQ(DecimalSymbolOf(QLocale(QLocale::English, QLocale::UnitedStates)), ".");
  EXPECT_EQ(DecimalSymbolOf(QLocale(QLocale::German, QLocale::Germany)), ",");
  EXPECT_EQ(DecimalSymbolOf(QLocale(QLocale::French, QLocale::France)), ",");
}

TEST(CalperoApplication, TakesTheSystemsDecimalSymbolAgainWhenTheLocaleChanges) {
  const ScopedDecimalSeparator keep("#");
  ASSERT_EQ(DecimalSeparator(), "#");
  QEvent change(QEvent::LocaleChange);
  QCoreApplication::sendEvent(qApp, &change);
  const std::string expected = DecimalSymbolOf(QLocale::system());
  EXPECT_EQ(DecimalSeparator(), expected.size() == 1 ? expected : std::string("."));
}

// An object whose event handling fails, as a handler that forgot its guard would.
class FailingObject : public QObject {
 public:
  explicit FailingObject(std::function<void()> fail) : fail_(std::move(fail)) {}
  bool event(QEvent* event) override {
    if (event->type() == QEvent::User) {
      fail_();
    }
    return QObject::event(event);
  }

 private:
  std::function<void()> fail_;
};

TEST(CalperoApplication, ShowsAnErrorThatEscapesAnEventsHandling) {
  struct Case {
    std::function<void()> fail;
    const char* shown;
  };
  const auto cases = std::to_array<Case>({
      {[] { throw EOverflow(); }, "Floating point overflow."},
      {[] { throw Exception("List index out of bounds (-1)"); }, "List index out of bounds (-1)"},
      {[] { throw std::runtime_error("internal detail"); }, ""},
  });
  for (const auto& c : cases) {
    FailingObject object(c.fail);
    const test::ModalBoxCatcher boxes;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&object, &event));
    ASSERT_EQ(boxes.Boxes().size(), 1U);
    EXPECT_EQ(boxes.Boxes()[0].text, QLatin1String(c.shown));
    EXPECT_EQ(boxes.Boxes()[0].caption, QStringLiteral("Calpero"));
    EXPECT_EQ(boxes.Boxes()[0].icon, QMessageBox::Critical);
  }
}

TEST(CalperoApplication, ShowsEachErrorInTheWindowsLanguageQuotingAsItWas) {
  struct Case {
    const char* language;
    std::function<void()> fail;
    const char* shown;
  };
  const auto cases = std::to_array<Case>({
      {"de", [] { throw EIniFileException("./Data/data.ini"); },
       "Schreiben in ./Data/data.ini nicht möglich."},
      {"fr", [] { throw EIniFileException("./Data/data.ini"); },
       "Impossible d'écrire dans ./Data/data.ini."},
      {"de", [] { static_cast<void>(ParsePower("1 '2")); },
       "„1 '2“ ist keine gültige Gleitkommazahl."},
      {"fr", [] { static_cast<void>(ParsePower("x")); },
       "«\u00a0x\u00a0» n'est pas un nombre à virgule flottante valide."},
      {"de", [] { throw EListIndexError(-1); }, "Listenindex außerhalb des gültigen Bereichs (-1)"},
      {"fr", [] { throw EOverflow(); }, "Dépassement de capacité en virgule flottante."},
      {"de", [] { throw EPowerTooLarge("1e999"); }, "„1e999“ ist zu groß für einen Exponenten."},
      {"de", [] { throw EInvalidUnitName("a: b]", "a: b]", MessageId::NameHasBracket); },
       "Der Einheitenname „a: b]“ kann nicht gespeichert werden: er enthält „]“."},
      {"fr", [] { throw EInvalidUnitName(" x", " x", MessageId::NameBeginsWithBlank); },
       "Le nom d'unité «\u00a0 x\u00a0» ne peut pas être enregistré\u00a0: il commence par une "
       "espace ou une tabulation."},
      // The name as the window writes it; a "%2" in it stays as it is.
      {"de", [] { throw EInvalidUnitName("a%2\nb", "a%2\\nb", MessageId::NameHasLineBreak); },
       "Der Einheitenname „a%2\\nb“ kann nicht gespeichert werden: er enthält einen "
       "Zeilenumbruch."},
      {"de",
       [] {
         throw ConflictError(
             {TChangeStep::TResult::Conflict, TChangeKind::Save, ChangeDirection::Redo, "Newton"});
       },
       "Nichts wiederholt: Ein anderes Programm hat Newton seither geändert."},
      // A message of no known form is shown as it is, in every language.
      {"de", [] { throw Exception("Something else"); }, "Something else."},
      {"en", [] { throw EIniFileException("./Data/data.ini"); },
       "Unable to write to ./Data/data.ini."},
  });
  for (const auto& c : cases) {
    const testing::ScopedWindowLanguage language(c.language);
    FailingObject object(c.fail);
    const test::ModalBoxCatcher boxes;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&object, &event);
    ASSERT_EQ(boxes.Boxes().size(), 1U);
    EXPECT_EQ(boxes.Boxes()[0].text, QString::fromUtf8(c.shown));
    EXPECT_EQ(boxes.Boxes()[0].caption, QStringLiteral("Calpero"));
  }
}

// The language the program chose at start from its environment, as a desktop session sets it:
// ctest runs this case once more under each of LANG=de_DE.UTF-8, fr_FR.UTF-8, C and en_GB.UTF-8,
// naming the language expected in CALPERO_TEST_EXPECTED_LANGUAGE ("" for English); the suite
// itself runs in English.
TEST(DesktopLanguage, IsTheOneTheEnvironmentNames) {
  struct Words {
    const char* caption;
    const char* save;
    QStringList answers;
  };
  const std::map<QString, Words> expected = {
      {"", {"Create Variable Dialogue", "Save", {"&Yes", "&No"}}},
      {"de", {"Neue Einheit anlegen", "Speichern", {"&Ja", "&Nein"}}},
      {"fr", {"Créer une unité", "Enregistrer", {"&Oui", "&Non"}}},
  };
  const QString language = qEnvironmentVariable("CALPERO_TEST_EXPECTED_LANGUAGE");
  ASSERT_TRUE(expected.contains(language)) << language.toStdString();
  EXPECT_EQ(WindowLanguage(), language);
  const Words& words = expected.at(language);
  const TNewVarDlg dialog;
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(words.caption));
  EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->text(),
            QString::fromUtf8(words.save));
  const test::ModalBoxCatcher boxes;
  ShowMessageBox(nullptr, QStringLiteral("?"), QStringLiteral("?"), kMessageFlagsYesNo);
  ASSERT_EQ(boxes.Boxes().size(), 1U);
  EXPECT_EQ(boxes.Boxes()[0].buttons, words.answers);
}

}  // namespace
}  // namespace calpero::testing
