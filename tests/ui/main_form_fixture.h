#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <QDir>
#include <QLocale>
#include <QStringList>

#include "catalogue/power_text.h"
#include "fake_help_shell.h"
#include "tests/support/temp_folder.h"
#include "ui/main_form.h"
#include "ui/translations.h"

namespace calpero::testing {

// A catalogue of a few units, in no particular order, used by most cases:
// Newton (1, 1, 0, -2), metre (0, 1, 0, 0), Kelvin (0, 0, 1, 0), Second (0, 0, 0, 1),
// Area (0, 2, 0, 0), Half (0.5, -1.5, 0, 0; no "Time" key).
extern const char* const kSampleCatalogue;
// Where the sample's units stand in the list, which reads Area, Half, Kelvin, metre, Newton,
// Second.
constexpr int kArea = 0;
constexpr int kKelvin = 2;
constexpr int kNewton = 4;
constexpr int kSecond = 5;

// While alive, windows built speak `language` ("de", "fr"; "en" for the source texts), as they
// would on a desktop of that language; at its end, the language of the test program's desktop.
class ScopedWindowLanguage {
 public:
  explicit ScopedWindowLanguage(const char* language) {
    InstallTranslations(QLocale(QString::fromLatin1(language)));
  }
  ~ScopedWindowLanguage() { InstallTranslations(QLocale::system()); }
  ScopedWindowLanguage(const ScopedWindowLanguage&) = delete;
  ScopedWindowLanguage& operator=(const ScopedWindowLanguage&) = delete;
};

// Each case runs in a fresh working folder holding Data/ (and Backup/), with "." as the decimal
// separator, and drives a real main window shown offscreen, whose help look-up is a fake.
class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest();
  ~MainFormTest() override;

  // Writes Data/data.ini with exactly `bytes`.
  void WriteCatalogue(const std::string& bytes);
  // The bytes of Data/data.ini (empty when missing).
  std::string CatalogueBytes() const;
  // The path of a file in the working folder.
  QString PathOf(const QString& relative) const {
    return QString::fromStdString(folder_.File(relative.toStdString()));
  }

  // Makes and shows the window; waits until it is exposed.
  void OpenForm();

  template <typename Widget>
  Widget* Find(const char* name) const {
    auto* widget = form_->findChild<Widget*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  const TMainFormControls& C() const { return form_->Controls(); }

  // The texts of the result row and of the unit-powers row, Mass to Time.
  QStringList ResultRow() const;
  QStringList UnitRow() const;
  // The texts of the list's items in order.
  QStringList ListItems() const;
  // The text of the list's current item, or "(none)".
  QString CurrentItem() const;

  // A left click on the list's item at `row`.
  void ClickListItem(int row);
  // A press on `from` at `fromAt`, moves to `to` at `toAt` (in steps), and a release there.
  void Drag(QWidget* from, QPoint fromAt, QWidget* to, QPoint toAt);
  // Drags the list's item at `row` to `to` at `toAt` (client coordinates of an area are
  // inside its edge: pass the area's Client()).
  void DragListItem(int row, QWidget* to, QPoint toAt);
  // Clicks a toolbar button.
  void Click(QWidget* button);
  // Presses and releases `key` with `modifiers` on whichever control has the focus, as the
  // keyboard does.
  static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier);

  // The widgets of the tokens that an area holds now, in its order.
  std::vector<TTokenLabel*> TokensIn(THolder holder) const;

  std::unique_ptr<TMainForm> form_;
  FakeHelpShell* shell_ = nullptr;

 private:
  ScopedDecimalSeparator separator_{"."};
  test::TempProgramFolder folder_;
  test::ScopedWorkingDirectory inFolder_{folder_.Path()};
};

}  // namespace calpero::testing
