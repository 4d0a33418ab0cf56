#include <array>

#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include "main_form_fixture.h"
#include "tests/support/modal_box_catcher.h"
#include "ui/hint.h"
#include "ui/screen_readers.h"
#include "ui/xdg_help_shell.h"

namespace calpero::testing {
namespace {

class StatusBar : public MainFormTest {
 protected:
  StatusBar() {
    WriteCatalogue(kSampleCatalogue);
    OpenForm();
  }

  QString StatusOver(QWidget* widget, QPoint at) {
    QTest::mouseMove(widget, at);
    return C().MainStatusBar->currentMessage();
  }
};

TEST_F(StatusBar, ShowsTheHintOfTheControlUnderThePointer) {
  struct Case {
    QWidget* widget;
    const char* shown;
  };
  const auto cases = std::to_array<Case>({
      {C().UnitsListBox->viewport(), "Available units"},
      {C().FindEdit, "Find"},
      {C().TrashImage, "Trash (can not be undone!)"},
      {C().Numerator->Client(), "Numerator (drag and drop text here)"},
      {C().rTempLabel, "Power to which Temperature is raised"},
      {C().ToolButton2, "Separator"},
      {C().ShowHelpToolButton, "Show Help"},
      {C().ToolBarPanel, "Resultant powers: evaluate, save, back up, clear, help"},
      {C().WorkAreaPanel, ""},
      {C().MainStatusBar, ""},
  });
  for (const auto& c : cases) {
    QPoint at = c.widget->rect().center();
    if (c.widget == C().ToolBarPanel) {
      at = {319, 20};  // past the toolbar's last button
    } else if (c.widget == C().WorkAreaPanel) {
      at = {320, 140};  // between the list and the areas
    }
    EXPECT_EQ(StatusOver(c.widget, at), QLatin1String(c.shown))
        << c.widget->objectName().toStdString();
  }
}

TEST_F(StatusBar, TheToolbarPanelNamesTheUnitsWithTheResultantsPowers) {
  const QPoint empty(319, 20);                          // past the toolbar's last button
  DragListItem(4, C().Numerator->Client(), {100, 50});  // Newton
  Click(C().BothToolButton);
  EXPECT_EQ(StatusOver(C().ToolBarPanel, empty),
            QStringLiteral("Resultant powers: same as Newton"));
  DragListItem(0, C().Denominator->Client(), {100, 50});  // Area
  Click(C().BothToolButton);
  EXPECT_EQ(StatusOver(C().ToolBarPanel, empty),
            QStringLiteral("Resultant powers: evaluate, save, back up, clear, help"));
}

TEST_F(StatusBar, ShowsTheHintOfADisabledControl) {
  ASSERT_FALSE(C().AddToNrButton->isEnabled());
  EXPECT_EQ(StatusOver(C().AddToNrButton, {20, 20}), QStringLiteral("Add selection to numerator"));
  EXPECT_EQ(StatusOver(C().ToolButton7, {4, 20}), QStringLiteral("Separator"));
}

TEST_F(StatusBar, ShowsATokensNameOverIt) {
  DragListItem(4, C().Numerator->Client(), {100, 50});
  ASSERT_EQ(TokensIn(THolder::Numerator).size(), 1U);
  EXPECT_EQ(StatusOver(TokensIn(THolder::Numerator).front(), {3, 3}), QStringLiteral("Newton"));
}

TEST_F(StatusBar, FollowsThePointerOnceAMenuHasClosedWithoutAMove) {
  DragListItem(4, C().Numerator->Client(), {100, 50});
  QTest::mouseClick(TokensIn(THolder::Numerator).front(), Qt::RightButton, {}, {3, 3});
  QMenu* menu = C().LabelPopupMenu;
  ASSERT_TRUE(menu->isVisible());
  const QPoint item = menu->actionGeometry(C().Delete1).center();
  EXPECT_EQ(StatusOver(menu, item), QStringLiteral("Delete this variable from the work area"));
  QTest::mouseClick(menu, Qt::LeftButton, {}, item);
  ASSERT_EQ(form_->WorkArea().TokenCount(), 0U);
  QEventLoop idle;
  QTimer::singleShot(20, &idle, &QEventLoop::quit);
  idle.exec();
  EXPECT_EQ(C().MainStatusBar->currentMessage(),
            QStringLiteral("Numerator (drag and drop text here)"));
}

TEST_F(StatusBar, ShowsThePartOfAHintAfterItsFirstBar) {
  SetHint(C().FindStaticText, QStringLiteral("Find|Type the start of a name"));
  EXPECT_EQ(StatusOver(C().FindStaticText, {3, 3}), QStringLiteral("Type the start of a name"));
}

// A stored power that the window's decimal separator cannot read still counts as 0, and the
// window says so once per unit and key, in its language: in the status bar until the pointer's
// next hint, and to screen readers after the result of the action.
using UnreadPowerNotice = MainFormTest;

TEST_F(UnreadPowerNotice, TellsOncePerUnitAndKeyInTheWindowsLanguage) {
  // The language, the separator, the stored text, what is told, how the notice of two starts.
  using Row = std::array<const char*, 5>;
  for (const auto& [language, decimal, stored, said, two] : std::to_array<Row>({
           {"en", ".", "0,5",
            "Half: Mass=0,5 cannot be read with the decimal separator '.'; counted as 0",
            "Two: Mass=0,5, Time=0,5 cannot"},
           {"de", ",", "0.5",
            "Half: Mass=0.5 kann mit dem Dezimaltrennzeichen ',' nicht gelesen werden; als 0 "
            "gez\u00e4hlt",
            "Two: Mass=0.5, Time=0.5 k\u00f6nnen"},
           {"fr", ",", "0.5",
            "Half\u00a0: Mass=0.5 ne peut pas \u00eatre lu avec le s\u00e9parateur d\u00e9cimal "
            "\u00ab\u00a0,\u00a0\u00bb\u00a0; compt\u00e9 comme 0",
            "Two\u00a0: Mass=0.5, Time=0.5 ne peuvent"},
       })) {
    const ScopedWindowLanguage windowLanguage(language);
    const ScopedDecimalSeparator separator(decimal);
    const QString told = QString::fromUtf8(said);
    WriteCatalogue(std::string("[Half]\nMass=") + stored + "\nLength=1\n[Newton]\nMass=1\n" +
                   "[Two]\nMass=" + stored + "\nTime=" + stored + "\n");
    OpenForm();
    ClickListItem(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(C().MainStatusBar->currentMessage(), told) << language;
    // The unit's sentence waits for the list to rest; the notice goes with it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return form_->Announcer().Sentence().endsWith(told); }))
        << language;
    EXPECT_EQ(C().MLabel->text(), QLatin1String("0") + QLatin1String(decimal) + "00");
    // The resting pointer leaves the notice; a token of Half and a second click tell nothing new.
    QTest::qWait(20);
    EXPECT_EQ(C().MainStatusBar->currentMessage(), told) << language;
    DragListItem(0, C().Numerator->Client(), {100, 50});
    ClickListItem(1);
    ClickListItem(0);
    QTest::qWait(2 * kSettleMs);
    EXPECT_FALSE(form_->Announcer().Sentence().contains(told)) << language;
    // Two keys of one unit in one sentence, in the plural where the language has one.
    ClickListItem(2);
    EXPECT_TRUE(C().MainStatusBar->currentMessage().startsWith(QString::fromUtf8(two))) << two;
    // The pointer's next hint takes the status bar back.
    QTest::mouseMove(C().FindEdit, C().FindEdit->rect().center());
    EXPECT_NE(C().MainStatusBar->currentMessage(), told) << language;
    form_->close();
    form_.reset();
  }
}

class Help : public MainFormTest {
 protected:
  Help() { OpenForm(); }

  void PressF1(Qt::KeyboardModifiers modifiers) {
    QTest::keyPress(form_->windowHandle(), Qt::Key_F1, modifiers);
    QTest::keyRelease(form_->windowHandle(), Qt::Key_F1, modifiers);
  }

  std::string ExpectedPage() const {
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString() +
           "/Help/index.htm";
  }
};

TEST_F(Help, OpensThePageBesideTheProgramFromTheButton) {
  shell_->browserFound = true;
  Click(C().ShowHelpToolButton);
  EXPECT_EQ(shell_->lookedUp, std::vector<std::string>{ExpectedPage()});
  EXPECT_EQ(shell_->launched, std::vector<std::string>{ExpectedPage()});
}

TEST_F(Help, SaysWhenItCannotFindTheBrowser) {
  shell_->browserFound = false;
  const test::ModalBoxCatcher boxes;
  Click(C().ShowHelpToolButton);
  ASSERT_EQ(boxes.Boxes().size(), 1U);
  EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("Cannot find the browser!"));
  EXPECT_EQ(boxes.Boxes()[0].caption, QStringLiteral("Error"));
  EXPECT_EQ(boxes.Boxes()[0].icon, QMessageBox::NoIcon);
  EXPECT_TRUE(shell_->launched.empty());
}

TEST_F(Help, OpensOnF1WhateverModifiersAreHeldWithTheBusyCursor) {
  shell_->browserFound = true;
  std::vector<int> cursors;
  shell_->onLookUp = [&cursors] {
    const QCursor* cursor = QApplication::overrideCursor();
    cursors.push_back(cursor == nullptr ? -1 : static_cast<int>(cursor->shape()));
  };
  for (const Qt::KeyboardModifiers modifiers :
       {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ShiftModifier),
        Qt::KeyboardModifiers(Qt::ControlModifier), Qt::KeyboardModifiers(Qt::AltModifier)}) {
    PressF1(modifiers);
  }
  EXPECT_EQ(shell_->launched.size(), 4U);
  EXPECT_EQ(cursors, std::vector<int>(4, static_cast<int>(Qt::BusyCursor)));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  // The button runs the same handler without changing the cursor.
  Click(C().ShowHelpToolButton);
  EXPECT_EQ(cursors.back(), -1);
}

TEST_F(Help, OpensOnF1WhicheverControlHasTheFocus) {
  shell_->browserFound = true;
  C().FindEdit->setFocus();
  PressF1(Qt::NoModifier);
  QTest::keyClick(form_->windowHandle(), Qt::Key_F2);
  QTest::keyClick(form_->windowHandle(), Qt::Key_H);
  EXPECT_EQ(shell_->launched.size(), 1U);
}

TEST_F(Help, FindsNoBrowserWithoutTheHelpPage) {
  // The desktop's own look-up, with no page beside the test program: nothing is started.
  TXdgHelpShell desktop;
  EXPECT_FALSE(desktop.FindBrowser(ExpectedPage()));
}

TEST_F(Help, ShowsTheMessageForF1WithoutTheHelpPage) {
  auto shell = std::make_unique<TXdgHelpShell>();
  form_->close();
  form_ = std::make_unique<TMainForm>(std::move(shell));
  form_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
  const test::ModalBoxCatcher boxes;
  PressF1(Qt::NoModifier);
  ASSERT_EQ(boxes.Boxes().size(), 1U);
  EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("Cannot find the browser!"));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

class Closing : public MainFormTest {};

TEST_F(Closing, LetsTheCatalogueGoAndFreesEveryTokenWithoutEvaluating) {
  WriteCatalogue(kSampleCatalogue);
  OpenForm();
  DragListItem(4, C().Numerator->Client(), {100, 50});
  DragListItem(0, C().Denominator->Client(), {100, 50});
  const QStringList before = ResultRow();
  ASSERT_EQ(form_->WorkArea().TokenCount(), 2U);
  form_->close();
  EXPECT_FALSE(form_->HoldsDataFile());
  EXPECT_EQ(form_->WorkArea().TokenCount(), 0U);
  EXPECT_TRUE(C().Numerator->Client()->findChildren<TTokenLabel*>().isEmpty());
  EXPECT_EQ(ResultRow(), before);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace calpero::testing
