#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <stdexcept>

#include <QApplication>
#include <QFont>
#include <QLocale>

#include "catalogue/decimal_separator.h"
#include "catalogue/errors.h"
#include "tests/support/modal_box_catcher.h"
#include "ui/desktop_settings.h"

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

}  // namespace
}  // namespace calpero::testing
