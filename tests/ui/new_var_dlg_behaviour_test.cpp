#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPoint>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QString>
#include <QTest>
#include <QWidget>

#include "tests/support/modal_box_catcher.h"
#include "tests/ui/main_form_fixture.h"
#include "tests/ui/new_var_dlg_fixture.h"
#include "ui/screen_readers.h"

namespace calpero::testing {
namespace {

constexpr std::array<const char*, 4> kPowerFields = {"Edit1", "Edit2", "Edit3", "Edit4"};

class NewVarDlgBehaviour : public NewVarDlgTest {
 protected:
  void TypeUnit(const QString& name, const std::array<QString, 4>& powers) {
    Control<QLineEdit>("Edit5")->setText(name);
    for (std::size_t i = 0; i < powers.size(); ++i) {
      Control<QLineEdit>(kPowerFields.at(i))->setText(powers.at(i));
    }
  }

  static QString Focused() {
    const QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus->objectName() : QString();
  }
};

TEST_F(NewVarDlgBehaviour, OpensPrefilledWithAnEmptyNameAndTheFocusInIt) {
  QStringList seen;
  Control<QLineEdit>("Edit5")->setText(QStringLiteral("left from before"));
  WhenDialogRuns([&] {
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog_));
    for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"}) {
      seen << Control<QLineEdit>(name)->text();
    }
    seen << Focused();
    dialog_.close();
  });
  dialog_.Execute(TPowerVector{{1.0F / 3.0F, -2.0F, 0.0F, 0.5F}});

  EXPECT_EQ(seen, QStringList({"0.33", "-2.00", "0.00", "0.50", "", "Edit5"}));
  EXPECT_FALSE(dialog_.isVisible());
}

TEST_F(NewVarDlgBehaviour, EnterInAnyFieldSavesAndKeepsTheDialogOpen) {
  for (const char* field : {"Edit5", "Edit1", "Edit4"}) {
    QFile::remove(QStringLiteral("Data/data.ini"));
    const QString name = QStringLiteral("Joule ") + QLatin1String(field);
    bool openAfterEnter = false;
    QString announced;
    WhenDialogRuns([&] {
      EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog_));
      TypeUnit(name, {"1", "2", "0", "-2"});
      QTest::keyClick(Control<QLineEdit>(field), Qt::Key_Return);
      openAfterEnter = dialog_.isVisible();
      QCoreApplication::processEvents();
      announced = dialog_.Announcer().Sentence();
      dialog_.close();
    });
    dialog_.Execute(TPowerVector{});

    EXPECT_TRUE(openAfterEnter) << field;
    EXPECT_EQ(catalogue_.ReadPower(name.toStdString(), "Time"), -2.0) << field;
    EXPECT_EQ(announced, name + QStringLiteral(" saved in the catalogue.")) << field;
  }
}

TEST_F(NewVarDlgBehaviour, EnterWithTheFocusOnSaveAndExitSavesAndCloses) {
  WhenDialogRuns([&] {
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog_));
    TypeUnit(QStringLiteral("Watt"), {"1", "2", "0", "-3"});
    Control<QPushButton>("OKBtn")->setFocus();
    QTest::keyClick(Control<QPushButton>("OKBtn"), Qt::Key_Return);
  });
  dialog_.Execute(TPowerVector{});

  EXPECT_EQ(dialog_.result(), 1);
  EXPECT_EQ(catalogue_.ReadPower("Watt", "Time"), -3.0);
}

TEST_F(NewVarDlgBehaviour, ABlankFieldIsReportedThenSaveStaysOpenAndSaveAndExitCloses) {
  for (const char* button : {"Button1", "OKBtn"}) {
    const test::ModalBoxCatcher boxes;
    bool openAfterSave = false;
    WhenDialogRuns([&] {
      EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog_));
      TypeUnit(QString(), {"1.5", "0", "0", "0"});
      QTest::mouseClick(Control<QPushButton>(button), Qt::LeftButton);
      openAfterSave = dialog_.isVisible();
      dialog_.close();
    });
    dialog_.Execute(TPowerVector{});

    SCOPED_TRACE(button);
    ASSERT_EQ(boxes.Boxes().size(), 1U);
    EXPECT_EQ(boxes.Boxes()[0].caption, "Error");
    EXPECT_EQ(boxes.Boxes()[0].text, "Some fields were left blank - data not saved");
    EXPECT_EQ(boxes.Boxes()[0].icon, QMessageBox::Warning);
    EXPECT_EQ(openAfterSave, button == std::string("Button1"));
    EXPECT_EQ(Control<QLineEdit>("Edit1")->text(), "1.5");
    EXPECT_FALSE(QFile::exists(QStringLiteral("Data/data.ini")));
  }
}

TEST_F(NewVarDlgBehaviour, AsksAndWarnsInTheWindowsLanguage) {
  struct Case {
    const char* language;
    const char* replaceText;
    const char* replaceCaption;
    QStringList answers;
    const char* blankText;
    const char* blankCaption;
  };
  const auto cases = std::to_array<Case>({
      {"de",
       "Die Einheit gibt es schon. Möchten Sie sie ersetzen?",
       "Warnung",
       {"&Ja", "&Nein"},
       "Einige Felder sind leer – nichts gespeichert",
       "Fehler"},
      {"fr",
       "Cette unité existe déjà. Voulez-vous la remplacer\u00a0?",
       "Avertissement",
       {"&Oui", "&Non"},
       "Certains champs sont vides – rien n'a été enregistré",
       "Erreur"},
  });
  workFolder_.WriteCatalogue("[Newton]\nMass=1\nLength=1\nTemperature=0\nTime=-2\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    const ScopedWindowLanguage language(c.language);
    TNewVarDlg dialog;
    const test::ModalBoxCatcher boxes;
    WhenDialogRuns([&] {
      EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
      auto* save = dialog.findChild<QPushButton*>(QStringLiteral("Button1"));
      dialog.findChild<QLineEdit*>(QStringLiteral("Edit5"))->setText(QStringLiteral("Newton"));
      QTest::mouseClick(save, Qt::LeftButton);
      dialog.findChild<QLineEdit*>(QStringLiteral("Edit5"))->clear();
      QTest::mouseClick(save, Qt::LeftButton);
      dialog.close();
    });
    dialog.Execute(TPowerVector{});

    ASSERT_EQ(boxes.Boxes().size(), 2U);
    EXPECT_EQ(boxes.Boxes()[0].text, QString::fromUtf8(c.replaceText));
    EXPECT_EQ(boxes.Boxes()[0].caption, QString::fromUtf8(c.replaceCaption));
    EXPECT_EQ(boxes.Boxes()[0].buttons, c.answers);
    EXPECT_EQ(boxes.Boxes()[1].text, QString::fromUtf8(c.blankText));
    EXPECT_EQ(boxes.Boxes()[1].caption, QString::fromUtf8(c.blankCaption));
  }
}

TEST_F(NewVarDlgBehaviour, SaveAndExitClosesAfterTheErrorOfAFieldThatIsNotANumber) {
  const test::ModalBoxCatcher boxes;
  bool openAfterSave = true;
  WhenDialogRuns([&] {
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog_));
    TypeUnit(QStringLiteral("Bad"), {"1", "abc", "0", "0"});
    QTest::mouseClick(Control<QPushButton>("OKBtn"), Qt::LeftButton);
    openAfterSave = dialog_.isVisible();
    dialog_.close();
  });
  dialog_.Execute(TPowerVector{});

  ASSERT_EQ(boxes.Boxes().size(), 1U);
  EXPECT_EQ(boxes.Boxes()[0].caption, "Calpero");
  EXPECT_EQ(boxes.Boxes()[0].text, "'abc' is not a valid floating point value.");
  EXPECT_EQ(boxes.Boxes()[0].icon, QMessageBox::Critical);
  EXPECT_FALSE(openAfterSave);
  EXPECT_EQ(dialog_.result(), 1);
  EXPECT_FALSE(QFile::exists(QStringLiteral("Data/data.ini")));
}

// A long field quoted in an error is shortened in the middle, so that the box keeps a readable
// size: a 400-digit number made it 800 pixels wide, its text running off.
TEST_F(NewVarDlgBehaviour, AnErrorShortensALongQuotedField) {
  const test::ModalBoxCatcher boxes;
  const QString digits(400, QLatin1Char('9'));
  WhenDialogRuns([&] {
    TypeUnit(QStringLiteral("Long"), {digits, "0", "0", "0"});
    QTest::mouseClick(Control<QPushButton>("Button1"), Qt::LeftButton);
    dialog_.close();
  });
  dialog_.Execute(TPowerVector{});

  ASSERT_EQ(boxes.Boxes().size(), 1U);
  const QString text = boxes.Boxes()[0].text;
  EXPECT_TRUE(text.startsWith(QStringLiteral("'9999"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QChar(0x2026))) << text.toStdString();
  EXPECT_TRUE(text.endsWith(QStringLiteral("9' is too large for a power."))) << text.toStdString();
  EXPECT_LE(boxes.Boxes()[0].size.width(), 480);
}

TEST_F(NewVarDlgBehaviour, EscapeDoesNothingAndTheCloseBoxClosesWithoutASave) {
  bool openAfterEscape = false;
  WhenDialogRuns([&] {
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog_));
    TypeUnit(QStringLiteral("Unsaved"), {"9", "9", "9", "9"});
    QTest::keyClick(Control<QLineEdit>("Edit5"), Qt::Key_Escape);
    QTest::keyClick(Control<QLineEdit>("Edit2"), Qt::Key_Escape);
    openAfterEscape = dialog_.isVisible();
    dialog_.close();
  });
  dialog_.Execute(TPowerVector{});

  EXPECT_TRUE(openAfterEscape);
  EXPECT_EQ(dialog_.result(), 2);
  EXPECT_FALSE(QFile::exists(QStringLiteral("Data/data.ini")));
}

TEST_F(NewVarDlgBehaviour, TheNameTakesSixtyFourCharactersAndTabFollowsTheLayoutOrder) {
  QString typed;
  QStringList forward;
  WhenDialogRuns([&] {
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog_));
    QTest::keyClicks(Control<QLineEdit>("Edit5"), QString(70, QLatin1Char('n')));
    typed = Control<QLineEdit>("Edit5")->text();
    for (int i = 0; i < 6; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      forward << Focused();
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    forward << Focused();
    dialog_.close();
  });
  dialog_.Execute(TPowerVector{});

  EXPECT_EQ(typed, QString(64, QLatin1Char('n')));
  EXPECT_EQ(forward,
            QStringList({"Edit1", "Edit2", "Edit3", "Edit4", "Button1", "Edit5", "Button1"}));
}

// The limit counts what a person sees: after 63 or 64 letters an insertion keeps whole characters
// only (an emoji is two UTF-16 units), and a combining mark that joins the last letter is no new
// character. The unit saved is named exactly as the field shows it.
TEST_F(NewVarDlgBehaviour, TheNameLimitNeverCutsACharacterAndSavesWhatTheFieldShows) {
  const QString letters(63, QLatin1Char('V'));
  using Row = std::array<const char*, 3>;  // after the 63 letters, inserted, kept of it
  for (const auto& row : std::to_array<Row>({{"", "\U0001F600", "\U0001F600"},
                                             {"V", "\U0001F600", ""},
                                             {"", "e\u0301", "e\u0301"},
                                             {"V", "\u0301", "\u0301"}})) {
    const QString before = letters + QString::fromUtf8(row[0]);
    const QString inserted = QString::fromUtf8(row[1]);
    QFile::remove(QStringLiteral("Data/data.ini"));
    QString shown;
    WhenDialogRuns([&] {
      auto* name = Control<QLineEdit>("Edit5");
      name->setText(before);
      name->end(false);
      name->insert(inserted);
      shown = name->text();
      QTest::mouseClick(Control<QPushButton>("OKBtn"), Qt::LeftButton);
    });
    dialog_.Execute(TPowerVector{});
    EXPECT_EQ(shown, before + QString::fromUtf8(row[2])) << row[1];
    EXPECT_EQ(catalogue_.ListUnits(), std::vector<std::string>{shown.toStdString()});
  }
}

TEST_F(NewVarDlgBehaviour, FirstOpeningIsCentredOnTheScreenEvenWithAParentElsewhere) {
  QWidget owner;
  owner.setGeometry(0, 0, 120, 80);
  owner.show();
  TNewVarDlg dialog(&owner);
  QPoint centre;
  WhenDialogRuns([&] {
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    centre = dialog.frameGeometry().center();
    dialog.close();
  });
  dialog.Execute(TPowerVector{});

  EXPECT_LE((centre - owner.screen()->availableGeometry().center()).manhattanLength(), 4);
}

TEST_F(NewVarDlgBehaviour, SecondOpeningKeepsThePlaceAndRefillsTheFields) {
  const QPoint movedTo(37, 41);
  WhenDialogRuns([&] {
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog_));
    dialog_.move(movedTo);
    TypeUnit(QStringLiteral("Typed"), {"5", "5", "5", "5"});
    Control<QLineEdit>("Edit3")->setFocus();
    dialog_.close();
  });
  dialog_.Execute(TPowerVector{});

  QPoint place;
  QStringList seen;
  WhenDialogRuns([&] {
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog_));
    place = dialog_.pos();
    seen << Control<QLineEdit>("Edit5")->text() << Control<QLineEdit>("Edit1")->text() << Focused();
    dialog_.close();
  });
  dialog_.Execute(TPowerVector{{2.0F, 0.0F, 0.0F, 0.0F}});

  EXPECT_EQ(place, movedTo);
  EXPECT_EQ(seen, QStringList({"", "2.00", "Edit5"}));
}

TEST_F(NewVarDlgBehaviour, TheStatusBarShowsTheHintOfTheControlUnderThePointer) {
  // The pointer comes in over the background, as it does when it crosses the dialog's edge.
  const std::vector<std::pair<const char*, QString>> route = {
      {nullptr, ""},
      {"Edit1", "Power to which mass is raised"},
      {"Image8", "Time"},
      {"Button1", ""},
      {"Label1", "Variable name"},
      {"OKBtn", "Save variable and Exit"},
      {nullptr, ""},
  };
  QStringList shown;
  WhenDialogRuns([&] {
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog_));
    for (const auto& stop : route) {
      QTest::mouseMove(&dialog_, stop.first != nullptr
                                     ? Control<QWidget>(stop.first)->geometry().center()
                                     : QPoint(5, 130));
      shown << Control<QStatusBar>("StatusBar1")->currentMessage();
    }
    dialog_.close();
  });
  dialog_.Execute(TPowerVector{});

  QStringList expected;
  for (const auto& stop : route) {
    expected << stop.second;
  }
  EXPECT_EQ(shown, expected);
}

// Between openings the pointer rests over another window: away from the dialog's place, then
// where the dialog's name label shows.
TEST_F(NewVarDlgBehaviour, EachOpeningStartsWithTheHintUnderThePointerThen) {
  QWidget desk;
  desk.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
  desk.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&desk));
  QStringList shown;
  const auto openWithThePointerAt = [&](QPoint global) {
    QTest::mouseMove(&desk, desk.mapFromGlobal(global));
    WhenDialogRuns([&] {
      QEventLoop idle;
      QTimer::singleShot(20, &idle, &QEventLoop::quit);
      idle.exec();
      shown << Control<QStatusBar>("StatusBar1")->currentMessage();
      QTest::mouseMove(Control<QWidget>("OKBtn"), {5, 5});
      dialog_.close();
    });
    dialog_.Execute(TPowerVector{});
  };
  const QPoint away = desk.geometry().bottomRight() - QPoint(2, 2);
  openWithThePointerAt(away);
  openWithThePointerAt(away);
  openWithThePointerAt(Control<QWidget>("Label1")->mapToGlobal(QPoint(3, 3)));
  EXPECT_EQ(shown, QStringList({"", "", "Variable name"}));
}

}  // namespace
}  // namespace calpero::testing
