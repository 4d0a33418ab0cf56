// The real main window under thousands of random clicks, drags, key presses and toolbar presses,
// offscreen, on a random catalogue. Every modal box and menu is answered at random as it appears
// (a timer watches for them), help starts no browser, and the run is seeded: the same actions on
// every run, its seed printed and named by every failure, another one taken from CALPERO_TEST_SEED
// (CALPERO_MONKEY_ACTIONS sets their number). The program must never crash or hang, the catalogue
// must always parse, the list must always show exactly the catalogue's units, and closing the
// window must leave the catalogue as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "catalogue/errors.h"
#include "catalogue/power_keys.h"
#include "catalogue/power_text.h"
#include "catalogue/unit_catalogue.h"
#include "fake_help_shell.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_seed.h"
#include "ui/main_form.h"
#include "ui/new_var_dlg.h"
#include "ui/token_widgets.h"

namespace calpero {
namespace {

using Random = std::mt19937;

int Pick(Random& random, int count) {
  return std::uniform_int_distribution<int>(0, count - 1)(random);
}

bool Chance(Random& random, int percent) { return Pick(random, 100) < percent; }

// Random text of up to `length` characters drawn from `letters`.
QString RandomText(Random& random, const QString& letters, int length) {
  QString text;
  for (int i = Pick(random, length + 1); i > 0; --i) {
    text += letters[Pick(random, static_cast<int>(letters.size()))];
  }
  return text;
}

// A catalogue of up to forty units with names in several letter cases and encodings, powers
// with fractions, refused texts and now and then a number beyond the double range.
std::string RandomCatalogue(Random& random) {
  // "\x65" is the "e" of "Grüße", written so that it is not read as part of the escape before.
  static const std::vector<std::string> kStems = {
      "Newton", "metre",          "Kelvin",      "Second", "Area", "Half", "joule",
      "WATT",   "Gr\xFC\xDF\x65", "caf\xC3\xA9", "a b",    "x;y",  "Volt"};
  static const std::vector<std::string> kValues = {"0",    "1", "-1",  "2",   "-2",    "0.5",
                                                   "-1.5", "3", "abc", "1,5", "1E400", ""};
  std::string text;
  for (int unit = Pick(random, 41); unit > 0; --unit) {
    std::string name =
        kStems[static_cast<std::size_t>(Pick(random, static_cast<int>(kStems.size())))];
    if (Chance(random, 40)) {
      name += std::to_string(Pick(random, 20));
    }
    text += "[" + name + "]\n";
    for (const std::string_view key : kPowerKeys) {
      if (Chance(random, 90)) {
        text.append(key).append("=").append(
            kValues[static_cast<std::size_t>(Pick(random, static_cast<int>(kValues.size())))]);
        text += "\n";
      }
    }
  }
  return text;
}

// Answers whatever modal box or menu is open, at random: message boxes get one of their buttons,
// a dialog gets random text in its fields and one of its buttons (and is closed outright if it
// will not go), a menu gets one of its items or is closed.
class RandomAnswerer {
 public:
  explicit RandomAnswerer(std::uint32_t seed) : random_(seed) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Answer(); });
    timer_.start(3);
  }

  int Answered() const { return answered_; }

 private:
  void Answer() {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      AnswerMenu(menu);
    } else if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      const QList<QAbstractButton*> buttons = box->buttons();
      if (box->isVisible() && !buttons.isEmpty()) {
        ++answered_;
        Later(buttons[Pick(random_, static_cast<int>(buttons.size()))], &QAbstractButton::click);
      }
    } else if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      AnswerDialog(dialog);
    } else {
      triesOnDialog_ = 0;
    }
  }

  void AnswerMenu(QMenu* menu) {
    ++answered_;
    QList<QAction*> actions = menu->actions();
    menu->close();
    if (!actions.isEmpty() && Chance(random_, 60)) {
      QAction* action = actions[Pick(random_, static_cast<int>(actions.size()))];
      if (action->isEnabled()) {
        Later(action, &QAction::trigger);
      }
    }
  }

  void AnswerDialog(QDialog* dialog) {
    if (!dialog->isVisible()) {
      return;
    }
    ++answered_;
    if (++triesOnDialog_ > 20) {
      dialog->done(QDialog::Rejected);
      return;
    }
    for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
      if (Chance(random_, 30)) {
        edit->setText(RandomText(random_, QStringLiteral("0123456789.,-+Ee abcAZ"), 8));
      }
    }
    const QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
    if (!buttons.isEmpty()) {
      Later(buttons[Pick(random_, static_cast<int>(buttons.size()))], &QAbstractButton::click);
    }
  }

  // Calls `method` on `target` once this answer has returned. An answer given here and now could
  // open the next modal box inside this timer's own handling, where the timer no longer fires and
  // nothing would answer it.
  template <typename Target, typename Method>
  static void Later(Target* target, Method method) {
    QTimer::singleShot(0, target, [target, method] { (target->*method)(); });
  }

  Random random_;
  QTimer timer_;
  int answered_ = 0;
  int triesOnDialog_ = 0;
};

class MonkeyTest : public ::testing::Test {
 protected:
  MonkeyTest() { QDir().mkdir(QStringLiteral("Backup")); }

  // A point anywhere in the window, or at the centre of a random widget of type `Widget`.
  template <typename Widget>
  QPoint Somewhere(Random& random) const {
    const QList<Widget*> widgets = form_->findChildren<Widget*>();
    if (!widgets.isEmpty() && Chance(random, 60)) {
      Widget* widget = widgets[Pick(random, static_cast<int>(widgets.size()))];
      if (widget->isVisible()) {
        return widget->mapTo(form_.get(), widget->rect().center());
      }
    }
    return {Pick(random, form_->width()), Pick(random, form_->height())};
  }

  void Drag(Random& random) {
    const QPoint from = Chance(random, 50) ? ListItemPoint(random) : Somewhere<TTokenLabel>(random);
    const QPoint to = Somewhere<QWidget>(random);
    QTest::mousePress(form_.get(), Qt::LeftButton, {}, from);
    for (int step = 1; step <= 4; ++step) {
      QTest::mouseMove(form_.get(), from + (to - from) * step / 4);
    }
    QTest::mouseRelease(form_.get(), Qt::LeftButton, {}, to);
  }

  QPoint ListItemPoint(Random& random) const {
    TUnitListBox* list = form_->Controls().UnitsListBox;
    if (list->count() == 0) {
      return Somewhere<QWidget>(random);
    }
    const QRect item = list->visualItemRect(Pick(random, list->count()));
    return list->viewport()->mapTo(form_.get(), item.center());
  }

  void PressKey(Random& random) {
    static const std::vector<Qt::Key> kKeys = {Qt::Key_F1,    Qt::Key_Delete,    Qt::Key_Return,
                                               Qt::Key_Enter, Qt::Key_Backspace, Qt::Key_Up,
                                               Qt::Key_Down,  Qt::Key_Escape,    Qt::Key_Tab};
    QWidget* target =
        QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : form_.get();
    QTest::keyClick(target,
                    kKeys[static_cast<std::size_t>(Pick(random, static_cast<int>(kKeys.size())))]);
  }

  // Types a few letters into the find box, most often in place of what it held.
  void TypeToFind(Random& random) {
    QLineEdit* find = form_->Controls().FindEdit;
    if (Chance(random, 70)) {
      QTest::keyClick(find, Qt::Key_A, Qt::ControlModifier);
    }
    QTest::keyClicks(find, RandomText(random, QStringLiteral("aAbcegGhjkKmNnsStvVwW 0123"), 3));
  }

  void ActOnce(Random& random) {
    switch (Pick(random, 7)) {
      case 0:
        QTest::mouseClick(form_.get(), Qt::LeftButton, {}, Somewhere<QWidget>(random));
        break;
      case 1:
        QTest::mouseClick(form_.get(), Qt::RightButton, {}, Somewhere<QWidget>(random));
        break;
      case 2:
        QTest::mouseClick(form_.get(), Qt::LeftButton, {}, ListItemPoint(random));
        break;
      case 3:
        Drag(random);
        break;
      case 4:
        PressKey(random);
        break;
      case 5:
        TypeToFind(random);
        break;
      default:
        QTest::mouseClick(form_.get(), Qt::LeftButton, {}, Somewhere<QToolButton>(random));
        break;
    }
  }

  // The catalogue parses, every unit reads (an overflow is the one error a stored number may
  // raise) and the list shows exactly the catalogue's units.
  void CheckCatalogue(int action) const {
    const UnitCatalogue catalogue;
    std::vector<std::string> stored = catalogue.ListUnits();
    for (const std::string& unit : stored) {
      for (const std::string_view key : kPowerKeys) {
        try {
          catalogue.ReadPower(unit, key);
        } catch (const EOverflow&) {
        }
      }
    }
    std::vector<std::string> listed = form_->Controls().UnitsListBox->Names();
    std::sort(stored.begin(), stored.end());
    std::sort(listed.begin(), listed.end());
    ASSERT_EQ(listed, stored) << "after action " << action;
  }

  static QByteArray CatalogueBytes() {
    QFile file(QStringLiteral("Data/data.ini"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "the catalogue is gone";
    return file.readAll();
  }

  std::unique_ptr<TMainForm> form_;
  std::unique_ptr<TNewVarDlg> dialog_;  // goes before the window, its parent

 private:
  test::TempProgramFolder folder_;
  test::ScopedWorkingDirectory inFolder_{folder_.Path()};
};

TEST_F(MonkeyTest, TenThousandRandomActionsNeverCrashHangOrDamageTheCatalogue) {
  const std::uint32_t seed = test::TestSeed(20261207);
  SCOPED_TRACE(test::ReplayNote(seed));
  const char* actionsText = std::getenv("CALPERO_MONKEY_ACTIONS");
  const int actions = actionsText != nullptr ? std::atoi(actionsText) : 10000;
  std::cout << "monkey " << test::ReplayNote(seed) << ", " << actions << " actions\n";
  Random random(seed);
  const ScopedDecimalSeparator separator(Chance(random, 50) ? "." : ",");
  {
    QFile file(QStringLiteral("Data/data.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const std::string catalogue = RandomCatalogue(random);
    file.write(catalogue.data(), static_cast<qint64>(catalogue.size()));
  }
  auto shell = std::make_unique<testing::FakeHelpShell>();
  testing::FakeHelpShell* help = shell.get();
  Random helpRandom(seed + 1);
  help->onLookUp = [&] { help->browserFound = Chance(helpRandom, 50); };
  form_ = std::make_unique<TMainForm>(std::move(shell));
  // As at start-up: the new-unit dialog, made once right after the window and reused.
  dialog_ = std::make_unique<TNewVarDlg>(form_.get());
  form_->AttachNewVarDlg(dialog_.get());
  form_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
  // Boxes and menus open inside the actions' event handling, at moments that depend on timing: the
  // answers draw from a generator of their own so that the actions repeat with the same seed value.
  const RandomAnswerer answerer(seed + 2);

  for (int action = 1; action <= actions; ++action) {
    ActOnce(random);
    if (action % 250 == 0) {
      CheckCatalogue(action);
      ASSERT_FALSE(HasFatalFailure());
    }
  }
  CheckCatalogue(actions);
  std::cout << answerer.Answered() << " boxes, dialogs and menus answered; help looked up "
            << help->lookedUp.size() << " times, launched " << help->launched.size() << "\n";
  const QByteArray checked = CatalogueBytes();
  form_->close();
  dialog_.reset();
  form_.reset();
  EXPECT_EQ(CatalogueBytes(), checked) << "closing the window changed the catalogue";
}

}  // namespace
}  // namespace calpero
