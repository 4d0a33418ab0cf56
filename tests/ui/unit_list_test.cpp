#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "main_form_fixture.h"
#include "tests/support/modal_box_catcher.h"
#include "ui/screen_readers.h"

namespace calpero::testing {
namespace {

class UnitList : public MainFormTest {
 protected:
  UnitList() {
    WriteCatalogue(kSampleCatalogue);
    OpenForm();
  }
};

TEST_F(UnitList, ListsTheUnitsSortedWithoutRegardToCaseAndNothingCurrent) {
  EXPECT_EQ(ListItems(), QStringList({"Area", "Half", "Kelvin", "metre", "Newton", "Second"}));
  EXPECT_EQ(CurrentItem(), QStringLiteral("(none)"));
  EXPECT_EQ(C().UnitsListBox->visualItemRect(1).height(), 13);
  // The rows are a flat list: no index outside them, in another column or under a row.
  const QAbstractItemModel* rows = C().UnitsListBox->model();
  EXPECT_EQ(rows->index(5, 0).data().toString(), QStringLiteral("Second"));
  for (const auto& [row, column] : {std::pair{-1, 0}, std::pair{6, 0}, std::pair{0, 1}}) {
    EXPECT_FALSE(rows->index(row, column).isValid()) << row << " " << column;
  }
  EXPECT_FALSE(rows->index(0, 0, rows->index(0, 0)).isValid());
}

TEST_F(UnitList, ShowsTheClickedUnitsPowersAndEnablesTheAddButtons) {
  ClickListItem(4);
  EXPECT_EQ(CurrentItem(), QStringLiteral("Newton"));
  EXPECT_EQ(UnitRow(), QStringList({"1.00", "1.00", "0.00", "-2.00"}));
  EXPECT_EQ(form_->SelectedIndex(), 4);
  EXPECT_TRUE(C().AddToNrButton->isEnabled());
  EXPECT_TRUE(C().AddToDrButton->isEnabled());
}

TEST_F(UnitList, ShowsAFractionAndAMissingKeyAsZero) {
  ClickListItem(1);
  EXPECT_EQ(UnitRow(), QStringList({"0.50", "-1.50", "0.00", "0.00"}));
}

TEST_F(UnitList, CountsArrowKeysAsClicks) {
  ClickListItem(0);
  QTest::keyClick(C().UnitsListBox, Qt::Key_Down);
  EXPECT_EQ(CurrentItem(), QStringLiteral("Half"));
  EXPECT_EQ(form_->SelectedIndex(), 1);
  EXPECT_EQ(UnitRow(), QStringList({"0.50", "-1.50", "0.00", "0.00"}));
}

TEST_F(UnitList, ReadsThePowersAgainAtEveryClick) {
  ClickListItem(2);
  EXPECT_EQ(UnitRow(), QStringList({"0.00", "0.00", "1.00", "0.00"}));
  WriteCatalogue("[Kelvin]\nMass=3\n");
  ClickListItem(2);
  EXPECT_EQ(UnitRow(), QStringList({"3.00", "0.00", "0.00", "0.00"}));
}

// Keys pressed in quick succession tell screen readers one sentence, of the unit the list rests
// on, and the power labels read that unit's powers.
TEST_F(UnitList, TellsScreenReadersOfABurstOfMovesOnceWithTheLastUnit) {
  ClickListItem(0);
  std::vector<QString> told;
  QObject::connect(&form_->Announcer(), &TAnnouncer::Told, form_.get(),
                   [&told](const QString& sentence) { told.push_back(sentence); });
  ASSERT_TRUE(QTest::qWaitFor([&told] { return !told.empty(); }));
  told.clear();
  for (int i = 0; i < 3; ++i) {
    QTest::keyClick(C().UnitsListBox, Qt::Key_Down);
  }
  EXPECT_TRUE(QTest::qWaitFor([&told] { return !told.empty(); }));
  QTest::qWait(2 * kSettleMs);
  EXPECT_EQ(told, std::vector<QString>{QStringLiteral(
                      "metre: mass 0.00, length 1.00, temperature 0.00, time 0.00.")});
  EXPECT_EQ(C().LLabel->accessibleName(), QStringLiteral("Length 1.00"));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(C().LLabel)->text(QAccessible::Name),
            QStringLiteral("Length 1.00"));

  // A unit chosen from the find box with Enter is a single act, told once the key is handled.
  C().FindEdit->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([this] { return C().FindEdit->hasFocus(); }));
  QTest::keyClicks(C().FindEdit, QStringLiteral("Kel"));
  told.clear();
  QTest::keyClick(C().FindEdit, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(told, std::vector<QString>{QStringLiteral(
                      "Kelvin: mass 0.00, length 0.00, temperature 1.00, time 0.00.")});
  EXPECT_EQ(C().TempLabel->accessibleName(), QStringLiteral("Temperature 1.00"));
}

struct FindCase {
  const char* name;
  const char* text;
  const char* current;
};

void PrintTo(const FindCase& c, std::ostream* out) { *out << c.name; }

// The list reads Metre, Mile, Mole, Newton, newton metre, Second.
const auto kFindCases = std::to_array<FindCase>({
    {"the_search_starts_at_the_second_item", "m", "Mile"},
    {"the_first_item_is_found_last", "me", "Metre"},
    {"a_longer_text_narrows_the_match", "mo", "Mole"},
    {"the_first_match_after_the_start_wins", "newton", "Newton"},
    {"upper_case_finds_lower_case_and_blanks_count", "NEWTON ", "newton metre"},
    {"lower_case_finds_upper_case", "se", "Second"},
    {"text_inside_a_name_finds_nothing", "ile", "(none)"},
    {"an_unknown_text_finds_nothing", "x", "(none)"},
});

class FindBox : public MainFormTest, public ::testing::WithParamInterface<FindCase> {
 protected:
  FindBox() {
    WriteCatalogue(
        "[Newton]\nMass=1\n[Mole]\n[newton metre]\nMass=1\n[Second]\nTime=1\n[Mile]\n"
        "Length=1\n[Metre]\nLength=1\n");
    OpenForm();
  }
};

TEST_P(FindBox, MakesTheMatchCurrentWithoutAClick) {
  ClickListItem(5);
  ASSERT_EQ(CurrentItem(), QStringLiteral("Second"));
  QTest::keyClicks(C().FindEdit, QString::fromLatin1(GetParam().text));
  EXPECT_EQ(CurrentItem(), QLatin1String(GetParam().current));
  // The find is no click: the row, the index and the buttons stay as the last click left them.
  EXPECT_EQ(UnitRow(), QStringList({"0.00", "0.00", "0.00", "1.00"}));
  EXPECT_EQ(form_->SelectedIndex(), 5);
  EXPECT_TRUE(C().AddToNrButton->isEnabled());
  EXPECT_TRUE(C().AddToDrButton->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Cases, FindBox, ::testing::ValuesIn(kFindCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(UnitList, FindsTheSecondItemForAnEmptyFindText) {
  QTest::keyClicks(C().FindEdit, QStringLiteral("k"));
  EXPECT_EQ(CurrentItem(), QStringLiteral("Kelvin"));
  QTest::keyClick(C().FindEdit, Qt::Key_Backspace);
  EXPECT_EQ(CurrentItem(), QStringLiteral("Half"));
}

TEST_F(UnitList, TypeAheadSelectsFromTheTopAndCountsAsAClick) {
  std::int64_t now = 0;
  C().UnitsListBox->SetClock([&now] { return now; });
  QTest::keyClick(C().UnitsListBox, Qt::Key_M);
  EXPECT_EQ(CurrentItem(), QStringLiteral("metre"));
  EXPECT_EQ(form_->SelectedIndex(), 3);
  EXPECT_EQ(UnitRow(), QStringList({"0.00", "1.00", "0.00", "0.00"}));
  now = 600;
  QTest::keyClicks(C().UnitsListBox, QStringLiteral("ne"));
  EXPECT_EQ(CurrentItem(), QStringLiteral("Newton"));
  EXPECT_EQ(form_->SelectedIndex(), 4);
  QTest::keyClick(C().UnitsListBox, Qt::Key_Backspace);
  QTest::keyClick(C().UnitsListBox, Qt::Key_Backspace);
  EXPECT_EQ(CurrentItem(), QStringLiteral("Area"));
  EXPECT_EQ(form_->SelectedIndex(), 0);
}

TEST_F(UnitList, KeepsTheCurrentItemOnARightClick) {
  ClickListItem(2);
  TUnitListBox* list = C().UnitsListBox;
  QTest::mouseClick(list->viewport(), Qt::RightButton, {}, list->visualItemRect(4).center());
  EXPECT_EQ(CurrentItem(), QStringLiteral("Kelvin"));
  EXPECT_EQ(form_->SelectedIndex(), 2);
  C().LabelPopupMenu->hide();
}

// A press below the last item and Ctrl+Space select nothing, so the item chosen before stays the
// one that the add buttons and a drag from the list's empty part add.
TEST_F(UnitList, KeepsTheCurrentItemOnAPressOnEmptySpaceAndOnCtrlSpace) {
  TUnitListBox* list = C().UnitsListBox;
  const QPoint belowLastItem(40, list->visualItemRect(5).bottom() + 40);
  const test::ModalBoxCatcher boxes;
  ClickListItem(2);
  QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, belowLastItem);
  EXPECT_EQ(CurrentItem(), QStringLiteral("Kelvin"));
  Click(C().AddToNrButton);
  Drag(list->viewport(), belowLastItem, C().Numerator->Client(), {100, 50});
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_EQ(ResultRow(), QStringList({"0.00", "0.00", "2.00", "0.00"}));
}

TEST_F(UnitList, KeepsAnItemSelectedOnACtrlClick) {
  ClickListItem(2);
  TUnitListBox* list = C().UnitsListBox;
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                    list->visualItemRect(2).center());
  EXPECT_EQ(CurrentItem(), QStringLiteral("Kelvin"));
}

// Cases that bring their own catalogue.
using OwnCatalogueList = MainFormTest;

// Another program's save and erase reach the list without any action in the window: the list
// reads the file again, the current unit stays current and the unit at the top stays there.
TEST_F(OwnCatalogueList, FollowsTheCatalogueWhenAnotherProgramChangesIt) {
  std::string many;
  for (int i = 10; i < 70; ++i) {
    many += "[U" + std::to_string(i) + "]\nMass=1\n";
  }
  WriteCatalogue(many);
  OpenForm();
  TUnitListBox* list = C().UnitsListBox;
  list->scrollTo(list->model()->index(20, 0), QAbstractItemView::PositionAtTop);
  ClickListItem(25);  // U35
  const QString top = list->indexAt(QPoint(0, 0)).data().toString();
  ASSERT_EQ(top, QStringLiteral("U30"));

  UnitCatalogue other;
  other.WritePower("A", "Mass", 2.0);
  other.EraseUnit("U69");
  EXPECT_TRUE(QTest::qWaitFor([&] { return ListItems().contains(QStringLiteral("A")); }, 3000));
  EXPECT_EQ(ListItems().size(), 60);  // U69 gone
  EXPECT_EQ(CurrentItem(), QStringLiteral("U35"));
  EXPECT_EQ(list->indexAt(QPoint(0, 0)).data().toString(), top);

  // The current unit erased: none is current, as after the window's own erase. Coming back to
  // the window finds the change at once, as where the file system reports none (NFS).
  other.EraseUnit("U35");
  ASSERT_TRUE(form_->isActiveWindow());
  QEvent activation(QEvent::ActivationChange);
  QApplication::sendEvent(form_.get(), &activation);
  EXPECT_EQ(ListItems().size(), 59);
  EXPECT_EQ(CurrentItem(), QStringLiteral("(none)"));
}

TEST_F(OwnCatalogueList, ShowsAnOverflowingPowerAsAnErrorAndKeepsTheRestOfTheRow) {
  WriteCatalogue("[Huge]\nMass=2\nLength=1E400\n");
  OpenForm();
  const test::ModalBoxCatcher boxes;
  ClickListItem(0);
  ASSERT_EQ(boxes.Boxes().size(), 1U);
  EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("Floating point overflow."));
  EXPECT_EQ(boxes.Boxes()[0].caption, QStringLiteral("Calpero"));
  EXPECT_EQ(boxes.Boxes()[0].icon, QMessageBox::Critical);
  // The Mass label was reached before the error, the others were not.
  EXPECT_EQ(UnitRow(), QStringList({"2.00", "0.00", "0.00", "0.00"}));
  EXPECT_FALSE(C().AddToNrButton->isEnabled());
}

// Sections whose names differ only in letter case (a hand-edited file) are all listed, and each
// acts on the first in the file: the others say so in their hint.
TEST_F(OwnCatalogueList, MarksTheSectionsThatAnEarlierOneOfTheSameNameHides) {
  WriteCatalogue("[Watt]\nMass=1\n[WATT]\nMass=2\n[Newton]\nMass=3\n[watt]\nMass=4\n[Watt]\n");
  OpenForm();
  ASSERT_EQ(ListItems(), QStringList({"Newton", "WATT", "Watt", "Watt", "watt"}));
  const QString hidden =
      QStringLiteral("Hidden by Watt, which comes first in the catalogue: this item acts on it");
  const QStringList expected = {"", hidden, "", hidden, hidden};
  for (int row = 0; row < C().UnitsListBox->count(); ++row) {
    const QModelIndex item = C().UnitsListBox->model()->index(row, 0);
    EXPECT_EQ(item.data(Qt::ToolTipRole).toString(), expected[row]) << row;
    EXPECT_EQ(item.data(Qt::AccessibleDescriptionRole).toString(), expected[row]) << row;
  }
}

TEST_F(OwnCatalogueList, KeepsTheStoredBytesOfANameThatIsNotUtf8) {
  WriteCatalogue(
      "[Gr\xE4"
      "de]\nMass=7\n[Metre]\nLength=1\n");
  OpenForm();
  ASSERT_EQ(C().UnitsListBox->count(), 2);
  ClickListItem(0);
  EXPECT_EQ(C().UnitsListBox->CurrentName(), std::string("Gr\xE4"
                                                         "de"));
  EXPECT_EQ(UnitRow()[0], QStringLiteral("7.00"));
  QTest::mouseClick(C().UnitsListBox->viewport(), Qt::RightButton, {},
                    C().UnitsListBox->visualItemRect(0).center());
  ASSERT_TRUE(C().LabelPopupMenu->isVisible());
  QTest::mouseClick(C().LabelPopupMenu, Qt::LeftButton, {},
                    C().LabelPopupMenu->actionGeometry(C().Delete1).center());
  EXPECT_EQ(CatalogueBytes(), "[Metre]\nLength=1\n");
  EXPECT_EQ(ListItems(), QStringList({"Metre"}));
}

// A catalogue of `count` units, "Unit 00000" on: every one of the same height in the list.
std::string NumberedCatalogue(int count) {
  std::string bytes;
  for (int unit = 0; unit < count; ++unit) {
    bytes += QStringLiteral("[Unit %1]\nMass=1\n").arg(unit, 5, 10, QLatin1Char('0')).toStdString();
  }
  return bytes;
}

// Screen readers see the rows in view and the current row, so a list of any length answers them
// with as many children; the current row is the focus child while the list has the focus.
TEST_F(OwnCatalogueList, ShowsScreenReadersTheRowsInViewAndTheCurrentRow) {
  std::vector<int> childCounts;
  for (const int units : {200, 5000}) {
    WriteCatalogue(NumberedCatalogue(units));
    OpenForm();
    TUnitListBox* list = C().UnitsListBox;
    QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(list);
    ASSERT_EQ(shown->role(), QAccessible::List);
    EXPECT_EQ(shown->text(QAccessible::Name), QStringLiteral("Available units"));
    EXPECT_EQ(shown->text(QAccessible::Description), QStringLiteral("%1 units.").arg(units));
    childCounts.push_back(shown->childCount());
    EXPECT_EQ(shown->child(0)->text(QAccessible::Name), QStringLiteral("Unit 00000"));

    list->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([list] { return list->hasFocus(); }));
    list->SetCurrentIndex(static_cast<std::size_t>(units / 2));
    QAccessibleInterface* focused = shown->focusChild();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->text(QAccessible::Name),
              QStringLiteral("Unit %1").arg(units / 2, 5, 10, QLatin1Char('0')));
    EXPECT_TRUE(focused->state().focused && focused->state().selected);
    EXPECT_EQ(focused->parent(), shown);
    // The current row comes first, so that a screen reader looking for the focused child child
    // by child finds it at once.
    EXPECT_EQ(shown->indexOfChild(focused), 0);
    EXPECT_EQ(shown->child(0), focused);
    // A row scrolled out of view stays a child while it is current.
    list->scrollToTop();
    EXPECT_EQ(shown->childCount(), childCounts.back() + 1);
    EXPECT_EQ(shown->child(0), focused);
    EXPECT_EQ(shown->child(1)->text(QAccessible::Name), QStringLiteral("Unit 00000"));
    EXPECT_TRUE(focused->state().offscreen);
  }
  EXPECT_EQ(childCounts[0], childCounts[1]);
  EXPECT_LT(childCounts[0], 25);
}

// A burst of moves in the list tells screen readers of the row it rests on once it rests, not of
// every row passed, and the unit's sentence and powers with it; a find typed in the find box
// tells of no row.
TEST_F(OwnCatalogueList, TellsScreenReadersTheRowABurstOfMovesRestsOn) {
  std::string catalogue;
  for (int unit = 0; unit < 300; ++unit) {
    catalogue += QStringLiteral("[Unit %1]\nMass=%2\n")
                     .arg(unit, 5, 10, QLatin1Char('0'))
                     .arg(unit)
                     .toStdString();
  }
  WriteCatalogue(catalogue);
  OpenForm();
  TUnitListBox* list = C().UnitsListBox;
  // What screen readers are told, in order: the rows by their text, then the sentences.
  QStringList told;
  QObject::connect(list, &TUnitListBox::FocusTold, list,
                   [list, &told](int row) { told += list->ItemText(row); });
  QObject::connect(&form_->Announcer(), &TAnnouncer::Told, form_.get(),
                   [&told](const QString& sentence) { told += sentence; });
  list->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([list] { return list->hasFocus(); }));
  ClickListItem(10);
  QTest::qWait(2 * kSettleMs);
  told.clear();
  // The mass label's name as last told (its accessible name follows the text shown at once).
  const auto massName = [this] { return C().MLabel->accessibleName(); };
  // Whether the row, its sentence and its mass are told before a clock set at three quarters of
  // kSettleMs after the last move goes off (timers go off in the order of their times, however
  // loaded the machine).
  const auto toldBeforeTheClock = [&told, &massName, list](const QString& mass) {
    bool clockFirst = false;
    QTimer::singleShot(kSettleMs * 3 / 4, Qt::PreciseTimer, list,
                       [&] { clockFirst = told.size() < 2 || massName() != mass; });
    EXPECT_TRUE(QTest::qWaitFor([&told] { return told.size() >= 2; }));
    QTest::qWait(kSettleMs);
    EXPECT_EQ(massName(), mass);
    return !clockFirst;
  };
  // Separate presses in quick succession: the burst is over once half of kSettleMs passes.
  for (int key = 0; key < 6; ++key) {
    QTest::keyClick(list, Qt::Key_Down);
  }
  EXPECT_EQ(told, QStringList());
  EXPECT_TRUE(toldBeforeTheClock(QStringLiteral("Mass 16.00")));
  EXPECT_EQ(told,
            QStringList({"Unit 00016",
                         "Unit 00016: mass 16.00, length 0.00, temperature 0.00, time 0.00."}));
  // A key held down: its repeats rest for the whole kSettleMs.
  told.clear();
  for (int key = 0; key < 3; ++key) {
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(list, &repeat);
  }
  EXPECT_FALSE(toldBeforeTheClock(QStringLiteral("Mass 19.00")));
  EXPECT_EQ(told,
            QStringList({"Unit 00019",
                         "Unit 00019: mass 19.00, length 0.00, temperature 0.00, time 0.00."}));

  C().FindEdit->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([this] { return C().FindEdit->hasFocus(); }));
  told.clear();
  QTest::keyClicks(C().FindEdit, QStringLiteral("Unit 0020"));
  QTest::qWait(2 * kSettleMs);
  EXPECT_EQ(CurrentItem(), QStringLiteral("Unit 00200"));
  EXPECT_EQ(told, QStringList());
}

// An erase, from the list's context menu or by Ctrl+Delete in the list, takes one row out: the
// rows in view stay where they were and no row is current, as after any reload.
TEST_F(OwnCatalogueList, AnEraseTakesOneRowOutAndKeepsTheRowsInView) {
  const std::vector<std::pair<const char*, std::function<void()>>> ways = {
      {"the context menu",
       [this] {
         TUnitListBox* list = C().UnitsListBox;
         QTest::mouseClick(list->viewport(), Qt::RightButton, {},
                           list->visualItemRect(list->count() / 2).center());
         ASSERT_TRUE(C().LabelPopupMenu->isVisible());
         QTest::mouseClick(C().LabelPopupMenu, Qt::LeftButton, {},
                           C().LabelPopupMenu->actionGeometry(C().Delete1).center());
       }},
      {"Ctrl+Delete",
       [this] { QTest::keyClick(C().UnitsListBox, Qt::Key_Delete, Qt::ControlModifier); }},
  };
  for (const auto& [way, erase] : ways) {
    WriteCatalogue(NumberedCatalogue(300));
    OpenForm();
    TUnitListBox* list = C().UnitsListBox;
    list->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([list] { return list->hasFocus(); }));
    list->SetCurrentIndex(150);
    ClickListItem(150);
    const int scrolled = list->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);
    QStringList told;
    QObject::connect(&form_->Announcer(), &TAnnouncer::Told, form_.get(),
                     [&told](const QString& sentence) { told += sentence; });
    QSignalSpy resets(list->model(), &QAbstractItemModel::modelReset);
    QSignalSpy removals(list->model(), &QAbstractItemModel::rowsRemoved);
    erase();
    ASSERT_TRUE(QTest::qWaitFor([&told] { return !told.isEmpty(); })) << way;
    EXPECT_EQ(told.back(), QStringLiteral("Unit 00150 erased from the catalogue.")) << way;
    EXPECT_EQ(CatalogueBytes().find("[Unit 00150]"), std::string::npos) << way;
    EXPECT_EQ(list->count(), 299) << way;
    EXPECT_EQ(list->ItemText(150), QStringLiteral("Unit 00151")) << way;
    EXPECT_EQ(CurrentItem(), QStringLiteral("(none)")) << way;
    EXPECT_EQ(list->verticalScrollBar()->value(), scrolled) << way;
    EXPECT_EQ(resets.count(), 0) << way;
    EXPECT_EQ(removals.count(), 1) << way;
  }
}

// Ctrl+Delete belongs to the list: in the find box it stays the box's own editing key.
TEST_F(UnitList, LeavesCtrlDeleteInTheFindBoxToTheBox) {
  ClickListItem(4);
  C().FindEdit->setFocus();
  QTest::keyClicks(C().FindEdit, QStringLiteral("ne"));
  C().FindEdit->setCursorPosition(0);
  QTest::keyClick(C().FindEdit, Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(C().FindEdit->text(), QString());
  EXPECT_EQ(ListItems().size(), 6);
}

class EmptyUnitList : public MainFormTest {
 protected:
  EmptyUnitList() { OpenForm(); }
};

TEST_F(EmptyUnitList, ListsNothingWithoutACatalogue) {
  EXPECT_EQ(C().UnitsListBox->count(), 0);
  QTest::keyClicks(C().FindEdit, QStringLiteral("m"));
  EXPECT_EQ(CurrentItem(), QStringLiteral("(none)"));
}

TEST_F(EmptyUnitList, ShowsTheListIndexErrorForABackspace) {
  const test::ModalBoxCatcher boxes;
  QTest::keyClick(C().UnitsListBox, Qt::Key_Backspace);
  ASSERT_EQ(boxes.Boxes().size(), 1U);
  EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("List index out of bounds (-1)"));
  EXPECT_EQ(boxes.Boxes()[0].caption, QStringLiteral("Calpero"));
  EXPECT_EQ(UnitRow(), QStringList({"0.00", "0.00", "0.00", "0.00"}));
  EXPECT_FALSE(C().AddToNrButton->isEnabled());
  EXPECT_EQ(form_->SelectedIndex(), 0);
}

}  // namespace
}  // namespace calpero::testing
