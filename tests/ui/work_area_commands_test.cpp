#include <functional>
#include <string>
#include <vector>

#include <QFile>
#include <QTest>

#include "main_form_fixture.h"
#include "tests/support/modal_box_catcher.h"
#include "ui/screen_readers.h"

namespace calpero::testing {
namespace {

class WorkAreaCommands : public MainFormTest {
 protected:
  WorkAreaCommands() {
    WriteCatalogue(kSampleCatalogue);
    OpenForm();
  }

  TTokenLabel* Place(int row, QWidget* areaClient, QPoint at) {
    DragListItem(row, areaClient, at);
    const auto* area = qobject_cast<TAreaPanel*>(areaClient->parentWidget());
    const auto tokens = TokensIn(area == C().Numerator ? THolder::Numerator : THolder::Denominator);
    return tokens.empty() ? nullptr : tokens.back();
  }

  // Right-clicks `widget` at `at` and chooses "Delete" in the menu that opens.
  void DeleteThrough(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget, Qt::RightButton, {}, at);
    ASSERT_TRUE(C().LabelPopupMenu->isVisible());
    ASSERT_TRUE(C().Delete1->isEnabled());
    QTest::mouseClick(C().LabelPopupMenu, Qt::LeftButton, {},
                      C().LabelPopupMenu->actionGeometry(C().Delete1).center());
  }

  std::vector<std::string> told_;  // what the announcer told screen readers
};

TEST_F(WorkAreaCommands, AddsTheCurrentItemAtTheGeneratorsPoints) {
  ClickListItem(kArea);  // the first item can be added too
  Click(C().AddToNrButton);
  Click(C().AddToNrButton);
  const auto tokens = TokensIn(THolder::Numerator);
  ASSERT_EQ(tokens.size(), 2U);
  EXPECT_EQ(tokens[0]->pos(), QPoint(4 - 32, 6 - 8));
  EXPECT_EQ(tokens[1]->pos(), QPoint(247 - 32, 22 - 8));
  EXPECT_EQ(ResultRow(), QStringList({"0.00", "4.00", "0.00", "0.00"}));
}

TEST_F(WorkAreaCommands, AddsToTheDenominatorWithinItsOwnWidth) {
  ClickListItem(kSecond);
  Click(C().AddToDrButton);
  Click(C().AddToDrButton);
  const auto tokens = TokensIn(THolder::Denominator);
  ASSERT_EQ(tokens.size(), 2U);
  EXPECT_EQ(tokens[1]->pos(), QPoint(246 - 32, 22 - 8));
  EXPECT_EQ(ResultRow(), QStringList({"0.00", "0.00", "0.00", "-2.00"}));
}

TEST_F(WorkAreaCommands, AddsWhatTheFindMadeCurrentAndNothingWithoutACurrentItem) {
  ClickListItem(kNewton);
  QTest::keyClicks(C().FindEdit, QStringLiteral("zz"));
  ASSERT_EQ(CurrentItem(), QStringLiteral("(none)"));
  Click(C().AddToNrButton);  // draws (4, 6) but adds nothing
  EXPECT_EQ(form_->WorkArea().TokenCount(), 0U);
  C().FindEdit->clear();
  QTest::keyClicks(C().FindEdit, QStringLiteral("ke"));
  Click(C().AddToNrButton);  // the second point: (247, 22)
  const auto tokens = TokensIn(THolder::Numerator);
  ASSERT_EQ(tokens.size(), 1U);
  EXPECT_EQ(tokens[0]->Caption(), "Kelvin");
  EXPECT_EQ(tokens[0]->pos(), QPoint(215, 14));
}

TEST_F(WorkAreaCommands, ClearsEveryTokenTrashedOnesIncluded) {
  TTokenLabel* trashed = Place(kNewton, C().Numerator->Client(), {100, 50});
  ASSERT_NE(trashed, nullptr);
  Drag(trashed, {2, 2}, C().TrashImage, {20, 20});
  Place(kArea, C().Numerator->Client(), {60, 20});
  Place(kKelvin, C().Denominator->Client(), {60, 20});
  ASSERT_EQ(form_->WorkArea().TokenCount(), 3U);
  Click(C().ClearWorkAreaToolButton);
  EXPECT_EQ(form_->WorkArea().TokenCount(), 0U);
  EXPECT_TRUE(C().Numerator->Client()->findChildren<TTokenLabel*>().isEmpty());
  EXPECT_TRUE(C().TrashPanel->findChildren<TTokenLabel*>().isEmpty());
  EXPECT_EQ(ResultRow(), QStringList({"0.00", "0.00", "0.00", "0.00"}));
}

TEST_F(WorkAreaCommands, ShowsEachAreasSumWithoutChangingTheResultant) {
  Place(kNewton, C().Numerator->Client(), {100, 50});
  Place(kArea, C().Denominator->Client(), {100, 50});
  const TPowerVector resultant = form_->Evaluation().ResultantPowers;
  Click(C().NToolButton);
  EXPECT_EQ(ResultRow(), QStringList({"1.00", "1.00", "0.00", "-2.00"}));
  Click(C().DToolButton);
  EXPECT_EQ(ResultRow(), QStringList({"0.00", "2.00", "0.00", "0.00"}));
  EXPECT_EQ(form_->Evaluation().ResultantPowers, resultant);
  Click(C().BothToolButton);
  EXPECT_EQ(ResultRow(), QStringList({"1.00", "-1.00", "0.00", "-2.00"}));
}

TEST_F(WorkAreaCommands, DeletesATokenWithWhatItOwnsAndDoesNotEvaluate) {
  TTokenLabel* owner = Place(kNewton, C().Numerator->Client(), {100, 50});
  ASSERT_NE(owner, nullptr);
  const TTokenId ownerId = owner->Id();
  TUnitListBox* list = C().UnitsListBox;
  Drag(list->viewport(), list->visualItemRect(kSecond).center(), owner, {1, 1});
  Drag(TokensIn(THolder::Numerator).back(), {2, 2}, C().Denominator->Client(), {150, 50});
  Drag(list->viewport(), list->visualItemRect(kKelvin).center(), owner, {1, 1});
  ASSERT_EQ(TokensIn(THolder::Numerator).size(), 2U);
  Place(kArea, C().Denominator->Client(), {40, 80});
  const QStringList before = ResultRow();
  DeleteThrough(owner, {3, 3});
  EXPECT_FALSE(form_->PopupToken().has_value());
  EXPECT_EQ(form_->WorkArea().Token(ownerId), nullptr);
  EXPECT_TRUE(TokensIn(THolder::Numerator).empty());
  ASSERT_EQ(TokensIn(THolder::Denominator).size(), 1U);
  EXPECT_EQ(TokensIn(THolder::Denominator).front()->Caption(), "Area");
  EXPECT_EQ(ResultRow(), before);
  Click(C().BothToolButton);
  EXPECT_EQ(ResultRow(), QStringList({"0.00", "-2.00", "0.00", "0.00"}));
}

TEST_F(WorkAreaCommands, RemembersTheTokenWhoseMenuWasOpened) {
  TTokenLabel* token = Place(kNewton, C().Numerator->Client(), {100, 50});
  ASSERT_NE(token, nullptr);
  QTest::mouseClick(token, Qt::RightButton, {}, {3, 3});
  EXPECT_EQ(form_->PopupToken(), token->Id());
  EXPECT_TRUE(C().Delete1->isEnabled());
  C().LabelPopupMenu->hide();
  QTest::keyClicks(C().FindEdit, QStringLiteral("zz"));  // leaves no item current
  TUnitListBox* list = C().UnitsListBox;
  QTest::mouseClick(list->viewport(), Qt::RightButton, {}, list->visualItemRect(0).center());
  EXPECT_FALSE(form_->PopupToken().has_value());
  EXPECT_FALSE(C().Delete1->isEnabled());
  C().LabelPopupMenu->hide();
}

TEST_F(WorkAreaCommands, ErasesTheItemSelectedBeforeTheRightClick) {
  Place(kNewton, C().Numerator->Client(), {100, 50});
  ClickListItem(kKelvin);
  TUnitListBox* list = C().UnitsListBox;
  DeleteThrough(list->viewport(), list->visualItemRect(kSecond).center());
  EXPECT_EQ(ListItems(), QStringList({"Area", "Half", "metre", "Newton", "Second"}));
  EXPECT_EQ(CurrentItem(), QStringLiteral("(none)"));
  EXPECT_EQ(CatalogueBytes().find("[Kelvin]"), std::string::npos);
  EXPECT_EQ(ResultRow(), QStringList({"1.00", "1.00", "0.00", "-2.00"}));
  EXPECT_EQ(UnitRow(), QStringList({"0.00", "0.00", "1.00", "0.00"}));
}

TEST_F(WorkAreaCommands, ShowsTheMenuItemsHintWhileItIsHighlighted) {
  TTokenLabel* token = Place(kNewton, C().Numerator->Client(), {100, 50});
  ASSERT_NE(token, nullptr);
  QTest::mouseClick(token, Qt::RightButton, {}, {3, 3});
  ASSERT_TRUE(C().LabelPopupMenu->isVisible());
  QTest::mouseMove(C().LabelPopupMenu, C().LabelPopupMenu->actionGeometry(C().Delete1).center());
  EXPECT_EQ(C().MainStatusBar->currentMessage(),
            QStringLiteral("Delete this variable from the work area"));
  C().LabelPopupMenu->hide();
}

TEST_F(WorkAreaCommands, BacksTheCatalogueUpAndRestoresIt) {
  Click(C().BackFilesUpToolButton);
  QFile backup(PathOf(QStringLiteral("Backup/data.ini")));
  ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
  EXPECT_EQ(backup.readAll().toStdString(), kSampleCatalogue);
  WriteCatalogue("[Only]\nMass=1\n");
  ClickListItem(kNewton);
  C().RestoreMenuItem->trigger();
  EXPECT_EQ(CatalogueBytes(), kSampleCatalogue);
  EXPECT_EQ(ListItems(), QStringList({"Area", "Half", "Kelvin", "metre", "Newton", "Second"}));
  EXPECT_EQ(CurrentItem(), QStringLiteral("(none)"));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(WorkAreaCommands, ReloadsTheListAfterARestoreThatFails) {
  ASSERT_FALSE(QFile::exists(PathOf(QStringLiteral("Backup/data.ini"))));
  WriteCatalogue("[Only]\nMass=1\n");
  const test::ModalBoxCatcher boxes;
  C().RestoreMenuItem->trigger();
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_EQ(ListItems(), QStringList({"Only"}));
}

TEST_F(WorkAreaCommands, KeysActAsTheirButtonsAndNothingWhileTheButtonIsDisabled) {
  Press(Qt::Key_Up);  // the add buttons are still disabled
  EXPECT_EQ(form_->WorkArea().TokenCount(), 0U);
  QTest::keyClicks(C().UnitsListBox, QStringLiteral("k"));
  Press(Qt::Key_Up);
  Press(Qt::Key_Down, Qt::NoModifier);  // the list moves on to metre
  Press(Qt::Key_Down);
  EXPECT_EQ(ResultRow(), QStringList({"0.00", "-1.00", "1.00", "0.00"}));
  Press(Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(ResultRow(), QStringList({"0.00", "0.00", "1.00", "0.00"}));
  Press(Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(ResultRow(), QStringList({"0.00", "1.00", "0.00", "0.00"}));
  Press(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);  // as "Delete": no evaluation
  EXPECT_TRUE(TokensIn(THolder::Numerator).empty());
  EXPECT_EQ(ResultRow(), QStringList({"0.00", "1.00", "0.00", "0.00"}));
  Press(Qt::Key_E);
  EXPECT_EQ(ResultRow(), QStringList({"0.00", "-1.00", "0.00", "0.00"}));
  Press(Qt::Key_F);
  QTest::keyClicks(C().FindEdit, QStringLiteral("se"));
  Press(Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(C().FindEdit->text(), QStringLiteral("se"));
  EXPECT_EQ(form_->WorkArea().TokenCount(), 0U);
  Press(Qt::Key_B);
  WriteCatalogue("[Only]\nMass=1\n");
  Press(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(CatalogueBytes(), kSampleCatalogue);
  EXPECT_EQ(ListItems().size(), 6);
}

// Screen readers hear the result of each action in one sentence, told once per action (the
// evaluation that a placement runs speaks through the placement's sentence).
TEST_F(WorkAreaCommands, TellsScreenReadersTheResultOfEachActionInOneSentence) {
  struct Step {
    std::function<void()> action;
    const char* sentence;
  };
  const QPoint at(30, 30);
  const std::vector<Step> steps = {
      {[&] { ClickListItem(kNewton); },
       "Newton: mass 1.00, length 1.00, temperature 0.00, time minus 2.00."},
      {[] { Press(Qt::Key_Up); },
       "Newton placed in the numerator. The numerator now: mass 1.00, length 1.00, temperature "
       "0.00, time minus 2.00."},
      {[&] { ClickListItem(kArea); }, "Area: mass 0.00, length 2.00, temperature 0.00, time 0.00."},
      {[] { Press(Qt::Key_Down); },
       "Area placed in the denominator. The denominator now: mass 0.00, length 2.00, "
       "temperature 0.00, time 0.00."},
      {[] { Press(Qt::Key_E); },
       "Resultant: mass 1.00, length minus 1.00, temperature 0.00, time minus 2.00."},
      {[] { Press(Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier); },
       "Numerator: mass 1.00, length 1.00, temperature 0.00, time minus 2.00; same as Newton."},
      {[] { Press(Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier); },
       "Denominator: mass 0.00, length 2.00, temperature 0.00, time 0.00; same as Area."},
      {[] { Press(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier); },
       "Newton taken off the numerator. The numerator now: mass 0.00, length 0.00, temperature "
       "0.00, time 0.00."},
      {[&] {
         Drag(TokensIn(THolder::Denominator).front(), {5, 5}, C().Numerator->Client(), at);
       },
       "Area moved to the numerator. The numerator now: mass 0.00, length 2.00, temperature "
       "0.00, time 0.00."},
      {[&] { Click(C().ClearWorkAreaToolButton); }, "Work area cleared."},
      {[] { Press(Qt::Key_B); }, "Catalogue backed up."},
      {[] { Press(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier); },
       "Catalogue restored from the backup."},
      {[&] {
         ClickListItem(kSecond);
         QCoreApplication::processEvents();
         told_.clear();
         DeleteThrough(C().UnitsListBox->viewport(),
                       C().UnitsListBox->visualItemRect(kSecond).center());
       },
       "Second erased from the catalogue."},
      {[] { Press(Qt::Key_Z); }, "Second restored to the catalogue."},
      {[&] {
         const ScopedDecimalSeparator comma(",");
         ClickListItem(kNewton);
       },
       "Newton: mass 1,00, length 1,00, temperature 0,00, time minus 2,00."},
  };
  QObject::connect(&form_->Announcer(), &TAnnouncer::Told, form_.get(),
                   [this](const QString& sentence) { told_.push_back(sentence.toStdString()); });
  for (const Step& step : steps) {
    step.action();
    // A unit shown from the list is told once the list has rested.
    EXPECT_TRUE(QTest::qWaitFor([this] { return !told_.empty(); }, 2000));
    EXPECT_EQ(told_, std::vector<std::string>{step.sentence});
    EXPECT_EQ(form_->Announcer().Sentence(), QString::fromUtf8(step.sentence));
    told_.clear();
  }
}

}  // namespace
}  // namespace calpero::testing
