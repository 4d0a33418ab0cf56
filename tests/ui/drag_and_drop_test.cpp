#include <array>
#include <functional>
#include <string>
#include <tuple>

#include <QTest>

#include "main_form_fixture.h"
#include "tests/support/modal_box_catcher.h"
#include "ui/drag_controller.h"

namespace calpero::testing {
namespace {

// Whether some pixel of `image` is close to `color` (the core of anti-aliased text is).
bool HasPixelLike(const QImage& image, const QColor& color) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      if (std::abs(pixel.red() - color.red()) < 40 &&
          std::abs(pixel.green() - color.green()) < 40 &&
          std::abs(pixel.blue() - color.blue()) < 40) {
        return true;
      }
    }
  }
  return false;
}

class DragAndDrop : public MainFormTest {
 protected:
  DragAndDrop() {
    WriteCatalogue(kSampleCatalogue);
    OpenForm();
  }

  QWidget* NumeratorClient() const { return C().Numerator->Client(); }
  QWidget* DenominatorClient() const { return C().Denominator->Client(); }

  TTextExtent Extent(const char* name) const { return MeasureCaption(C().Numerator->font(), name); }

  // Drops list item `row` on the numerator at `at` and returns its new token.
  TTokenLabel* PlaceInNumerator(int row, QPoint at) {
    DragListItem(row, NumeratorClient(), at);
    const auto tokens = TokensIn(THolder::Numerator);
    return tokens.empty() ? nullptr : tokens.back();
  }
};

TEST_F(DragAndDrop, PlacesAUnitCentredAsA65By17BoxWhateverTheLengthOfItsName) {
  TTokenLabel* token = PlaceInNumerator(kNewton, {100, 50});
  ASSERT_NE(token, nullptr);
  EXPECT_EQ(token->geometry(), QRect(68, 42, Extent("Newton").Width, Extent("Newton").Height));
  EXPECT_EQ(token->parentWidget(), NumeratorClient());
  EXPECT_TRUE(token->isVisible());
  EXPECT_EQ(token->TextColor(), QColor(0, 255, 0));
  EXPECT_EQ(ResultRow(), QStringList({"1.00", "1.00", "0.00", "-2.00"}));
}

TEST_F(DragAndDrop, LeavesATokenPartlyOutsideItsArea) {
  TTokenLabel* token = PlaceInNumerator(kSecond, {10, 5});
  ASSERT_NE(token, nullptr);
  EXPECT_EQ(token->pos(), QPoint(-22, -3));
}

TEST_F(DragAndDrop, EvaluatesNumeratorOverDenominator) {
  PlaceInNumerator(kNewton, {60, 40});
  DragListItem(kArea, DenominatorClient(), {80, 40});
  EXPECT_EQ(ResultRow(), QStringList({"1.00", "-1.00", "0.00", "-2.00"}));
  const TPowerVector expected{{1.0F, -1.0F, 0.0F, -2.0F}};
  EXPECT_EQ(form_->Evaluation().ResultantPowers, expected);
}

TEST_F(DragAndDrop, PlacesAUnitDroppedOnATokenAtItsCornerPlusFour) {
  TTokenLabel* first = PlaceInNumerator(kNewton, {100, 50});
  ASSERT_NE(first, nullptr);
  Drag(C().UnitsListBox->viewport(), C().UnitsListBox->visualItemRect(kKelvin).center(), first,
       {first->width() - 2, 3});
  const auto tokens = TokensIn(THolder::Numerator);
  ASSERT_EQ(tokens.size(), 2U);
  EXPECT_EQ(tokens[1]->pos(), QPoint(72, 46));
  EXPECT_EQ(ResultRow(), QStringList({"1.00", "1.00", "1.00", "-2.00"}));
}

TEST_F(DragAndDrop, CentresATokenMovedWithinItsAreaAndKeepsItsPlaceInTheOrder) {
  TTokenLabel* first = PlaceInNumerator(kNewton, {60, 30});
  PlaceInNumerator(kSecond, {200, 80});
  ASSERT_NE(first, nullptr);
  Drag(first, {3, 3}, NumeratorClient(), {150, 60});
  EXPECT_EQ(first->pos(), QPoint(150 - first->width() / 2, 60 - first->height() / 2));
  EXPECT_EQ(TokensIn(THolder::Numerator).front(), first);
}

TEST_F(DragAndDrop, MovesATokenToTheOtherAreaWhereItCountsAtOnce) {
  TTokenLabel* token = PlaceInNumerator(kNewton, {60, 30});
  ASSERT_NE(token, nullptr);
  Drag(token, {3, 3}, DenominatorClient(), {100, 50});
  EXPECT_EQ(token->parentWidget(), DenominatorClient());
  EXPECT_EQ(token->pos(), QPoint(100 - token->width() / 2, 50 - token->height() / 2));
  EXPECT_TRUE(TokensIn(THolder::Numerator).empty());
  EXPECT_EQ(ResultRow(), QStringList({"-1.00", "-1.00", "0.00", "2.00"}));
  EXPECT_EQ(token->TextColor(), QColor(0, 255, 0));
}

TEST_F(DragAndDrop, MovesATokenOntoATokenOfTheOtherAreaAtItsCornerPlusFour) {
  TTokenLabel* mover = PlaceInNumerator(kNewton, {60, 30});
  DragListItem(kSecond, DenominatorClient(), {72, 68});
  ASSERT_EQ(TokensIn(THolder::Denominator).size(), 1U);
  TTokenLabel* target = TokensIn(THolder::Denominator).front();
  ASSERT_EQ(target->pos(), QPoint(40, 60));
  Drag(mover, {3, 3}, target, {5, 5});
  EXPECT_EQ(mover->parentWidget(), DenominatorClient());
  EXPECT_EQ(mover->pos(), QPoint(44, 64));
  EXPECT_EQ(TokensIn(THolder::Denominator).back(), mover);
}

TEST_F(DragAndDrop, RecentresATokenOnAPlainClickAndEvaluates) {
  TTokenLabel* token = PlaceInNumerator(kNewton, {100, 50});
  ASSERT_NE(token, nullptr);
  const QPoint before = token->pos();
  WriteCatalogue("[Newton]\nMass=5\n");
  QTest::mouseClick(token, Qt::LeftButton, {}, {10, 5});
  EXPECT_EQ(token->pos(), before + QPoint(10 - token->width() / 2, 5 - token->height() / 2));
  EXPECT_EQ(ResultRow(), QStringList({"5.00", "0.00", "0.00", "0.00"}));
}

TEST_F(DragAndDrop, TrashesATokenDroppedOnTheListOrTheTrash) {
  for (QWidget* bin : {static_cast<QWidget*>(C().UnitsListBox->viewport()),
                       static_cast<QWidget*>(C().TrashImage)}) {
    TTokenLabel* token = PlaceInNumerator(kNewton, {100, 50});
    ASSERT_NE(token, nullptr);
    ASSERT_EQ(ResultRow()[0], QStringLiteral("1.00"));
    Drag(token, {3, 3}, bin, {20, 20});
    EXPECT_FALSE(token->isVisible());
    EXPECT_EQ(token->parentWidget(), C().TrashPanel);
    EXPECT_TRUE(TokensIn(THolder::Numerator).empty());
    EXPECT_EQ(ResultRow(), QStringList({"0.00", "0.00", "0.00", "0.00"}));
  }
  EXPECT_EQ(form_->WorkArea().TokensIn(THolder::Trash).size(), 2U);
}

TEST_F(DragAndDrop, StartsAListDragOnlyAfterFivePixelsAlongEitherAxis) {
  struct Case {
    QPoint moved;
    bool dragging;
  };
  const auto cases = std::to_array<Case>({
      {{4, 0}, false},
      {{0, 4}, false},
      {{-4, 4}, false},
      {{5, 0}, true},
      {{0, 5}, true},
      {{-5, 0}, true},
      {{0, -5}, true},
  });
  TUnitListBox* list = C().UnitsListBox;
  const QPoint at = list->visualItemRect(kNewton).center();
  for (const auto& c : cases) {
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseMove(list->viewport(), at + c.moved);
    // While a drag goes on the cursor tells whether the place accepts; the list refuses itself.
    const QCursor* cursor = QApplication::overrideCursor();
    EXPECT_EQ(cursor != nullptr, c.dragging) << c.moved.x() << ", " << c.moved.y();
    if (cursor != nullptr) {
      EXPECT_EQ(cursor->shape(), Qt::ForbiddenCursor);
    }
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at + c.moved);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  }
  // Short or long, the press was a click on the item; nothing was dropped.
  EXPECT_EQ(CurrentItem(), QStringLiteral("Newton"));
  EXPECT_EQ(UnitRow(), QStringList({"1.00", "1.00", "0.00", "-2.00"}));
  EXPECT_EQ(form_->WorkArea().TokenCount(), 0U);
}

TEST_F(DragAndDrop, RefusesAUnitDraggedBackOntoTheList) {
  DragListItem(kArea, C().UnitsListBox->viewport(),
               C().UnitsListBox->visualItemRect(kSecond).center());
  // The selection did not follow the pointer, and nothing was dropped.
  EXPECT_EQ(CurrentItem(), QStringLiteral("Area"));
  EXPECT_EQ(CatalogueBytes(), kSampleCatalogue);
  EXPECT_EQ(form_->WorkArea().TokenCount(), 0U);
}

TEST_F(DragAndDrop, RefusesTheTrashPictureEverywhere) {
  Drag(C().TrashImage, {20, 20}, NumeratorClient(), {100, 50});
  Drag(C().TrashImage, {20, 20}, C().TrashImage, {10, 10});
  EXPECT_EQ(form_->WorkArea().TokenCount(), 0U);
  EXPECT_EQ(CatalogueBytes(), kSampleCatalogue);
}

// While a drag goes on, the cursor tells whether the place under the pointer takes it: the areas
// and their tokens take the list's units and tokens, the list takes tokens only, the trash takes
// both, the rest of the window nothing; the trash picture, which drags too, is taken nowhere.
TEST_F(DragAndDrop, ShowsWhichPlacesTakeEachKindOfDrag) {
  TTokenLabel* dragged = PlaceInNumerator(kNewton, {100, 50});
  ASSERT_NE(dragged, nullptr);
  DragListItem(kArea, DenominatorClient(), {100, 50});
  ASSERT_EQ(TokensIn(THolder::Denominator).size(), 1U);
  TTokenLabel* lying = TokensIn(THolder::Denominator).front();
  const QPoint draggedAt = dragged->pos();
  const QStringList resultRow = ResultRow();
  TUnitListBox* list = C().UnitsListBox;
  struct Place {
    const char* name;
    QWidget* widget;
    QPoint at;
  };
  const auto places = std::to_array<Place>({
      {"the numerator", NumeratorClient(), {250, 80}},
      {"the denominator", DenominatorClient(), {250, 80}},
      {"a token", lying, {3, 3}},
      {"the list", list->viewport(), list->visualItemRect(kSecond).center()},
      {"the trash", C().TrashImage, {24, 24}},
      {"a power label", C().MLabel, {4, 4}},
      {"the toolbar", C().MainToolBar, {4, 4}},
      {"the work panel", C().WorkAreaPanel, {4, 4}},
  });
  constexpr std::size_t kPlaces = std::tuple_size_v<decltype(places)>;
  const QPoint listItem = list->visualItemRect(kKelvin).center();
  struct Kind {
    const char* name;
    std::function<void()> press;
    std::array<bool, kPlaces> taken;
  };
  const auto kinds = std::to_array<Kind>({
      {"a unit of the list",
       [&] {
         QTest::mousePress(list->viewport(), Qt::LeftButton, {}, listItem);
         QTest::mouseMove(list->viewport(), listItem + QPoint(0, TDragController::kThreshold));
       },
       {true, true, true, false, true, false, false, false}},
      {"a token",
       [&] {
         QTest::mousePress(dragged, Qt::LeftButton, {}, {3, 3});
       },
       {true, true, true, true, true, false, false, false}},
      {"the trash picture",
       [&] {
         QTest::mousePress(C().TrashImage, Qt::LeftButton, {}, {20, 20});
       },
       {false, false, false, false, false, false, false, false}},
  });
  for (const Kind& kind : kinds) {
    for (std::size_t i = 0; i < places.size(); ++i) {
      SCOPED_TRACE(std::string(kind.name) + " over " + places.at(i).name);
      kind.press();
      QTest::mouseMove(places.at(i).widget, places.at(i).at);
      const QCursor* cursor = QApplication::overrideCursor();
      ASSERT_NE(cursor, nullptr);
      EXPECT_EQ(cursor->shape(), kind.taken.at(i) ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
      // Released over a place that takes nothing, the drag ends without a drop.
      QTest::mouseMove(C().MLabel, {4, 4});
      QTest::mouseRelease(C().MLabel, Qt::LeftButton, {}, {4, 4});
      ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    }
  }
  EXPECT_EQ(dragged->pos(), draggedAt);
  EXPECT_EQ(form_->WorkArea().TokenCount(), 2U);
  EXPECT_EQ(CatalogueBytes(), kSampleCatalogue);
  EXPECT_EQ(ResultRow(), resultRow);
}

TEST_F(DragAndDrop, LeavesATokenReleasedOverARefusingPlaceWhereItWas) {
  TTokenLabel* token = PlaceInNumerator(kNewton, {100, 50});
  ASSERT_NE(token, nullptr);
  const QPoint before = token->pos();
  WriteCatalogue("[Newton]\nMass=5\n");
  for (QWidget* refusing :
       {static_cast<QWidget*>(C().MainToolBar), static_cast<QWidget*>(C().MLabel),
        static_cast<QWidget*>(C().WorkAreaPanel)}) {
    Drag(token, {3, 3}, refusing, {4, 4});
    EXPECT_EQ(token->pos(), before) << refusing->objectName().toStdString();
    EXPECT_EQ(token->TextColor(), QColor(0, 255, 0));
  }
  // Nothing was evaluated: the row still shows the powers of before the file changed.
  EXPECT_EQ(ResultRow(), QStringList({"1.00", "1.00", "0.00", "-2.00"}));
}

TEST_F(DragAndDrop, DrawsADraggedTokenRedAndShowsWhereItMayBeDropped) {
  TTokenLabel* token = PlaceInNumerator(kNewton, {100, 50});
  ASSERT_NE(token, nullptr);
  QTest::mousePress(token, Qt::LeftButton, {}, {3, 3});
  EXPECT_EQ(token->TextColor(), QColor(255, 0, 0));
  EXPECT_TRUE(HasPixelLike(C().Numerator->grab().toImage(), QColor(255, 0, 0)));
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
  QTest::mouseMove(C().MainToolBar, {4, 4});
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
  QTest::mouseMove(DenominatorClient(), {50, 50});
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
  QTest::mouseRelease(DenominatorClient(), Qt::LeftButton, {}, {50, 50});
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(token->TextColor(), QColor(0, 255, 0));
  EXPECT_TRUE(HasPixelLike(C().Denominator->grab().toImage(), QColor(0, 255, 0)));
  EXPECT_FALSE(HasPixelLike(C().Denominator->grab().toImage(), QColor(255, 0, 0)));
}

TEST_F(DragAndDrop, CancelsADragWithEscape) {
  TTokenLabel* token = PlaceInNumerator(kNewton, {100, 50});
  ASSERT_NE(token, nullptr);
  const QPoint before = token->pos();
  QTest::mousePress(token, Qt::LeftButton, {}, {3, 3});
  QTest::mouseMove(DenominatorClient(), {50, 50});
  QTest::keyClick(form_->windowHandle(), Qt::Key_Escape);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(token->TextColor(), QColor(0, 255, 0));
  QTest::mouseRelease(DenominatorClient(), Qt::LeftButton, {}, {50, 50});
  EXPECT_EQ(token->parentWidget(), NumeratorClient());
  EXPECT_EQ(token->pos(), before);
}

TEST_F(DragAndDrop, ErasesAUnitDroppedOnTheTrashWithoutAsking) {
  PlaceInNumerator(kNewton, {100, 50});
  ClickListItem(kNewton);
  DragListItem(kNewton, C().TrashImage, {24, 24});
  EXPECT_EQ(ListItems(), QStringList({"Area", "Half", "Kelvin", "metre", "Second"}));
  EXPECT_EQ(CurrentItem(), QStringLiteral("(none)"));
  EXPECT_EQ(CatalogueBytes().find("[Newton]"), std::string::npos);
  // The row keeps the erased unit's powers; its token now counts as zeros.
  EXPECT_EQ(UnitRow(), QStringList({"1.00", "1.00", "0.00", "-2.00"}));
  // The reload of the list is no click either: the index and the add buttons stay.
  EXPECT_EQ(form_->SelectedIndex(), kNewton);
  EXPECT_TRUE(C().AddToNrButton->isEnabled());
  EXPECT_TRUE(C().AddToDrButton->isEnabled());
  EXPECT_EQ(TokensIn(THolder::Numerator).size(), 1U);
  EXPECT_EQ(ResultRow(), QStringList({"0.00", "0.00", "0.00", "0.00"}));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(DragAndDrop, EndsADragWhenAModalBoxOpensSoTheNextClickOnTheTrashIsAClick) {
  TTokenLabel* token = PlaceInNumerator(kSecond, {100, 50});
  ASSERT_NE(token, nullptr);
  TUnitListBox* list = C().UnitsListBox;
  const QPoint onNewton = list->visualItemRect(kNewton).center();
  const test::ModalBoxCatcher boxes;
  // A list drag and a token drag, each interrupted by "Cannot find the browser!" from F1; the
  // release falls on the box, which the window never sees.
  QTest::mousePress(list->viewport(), Qt::LeftButton, {}, onNewton);
  QTest::mouseMove(list->viewport(), onNewton + QPoint(0, 2 * TDragController::kThreshold));
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  QTest::keyClick(form_->windowHandle(), Qt::Key_F1);
  ASSERT_EQ(boxes.Boxes().size(), 1U);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  QTest::mouseClick(C().TrashImage, Qt::LeftButton, {}, {24, 24});

  QTest::mousePress(token, Qt::LeftButton, {}, {3, 3});
  ASSERT_EQ(token->TextColor(), QColor(255, 0, 0));
  QTest::keyClick(form_->windowHandle(), Qt::Key_F1);
  ASSERT_EQ(boxes.Boxes().size(), 2U);
  EXPECT_EQ(token->TextColor(), QColor(0, 255, 0));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  QTest::mouseClick(C().TrashImage, Qt::LeftButton, {}, {24, 24});

  EXPECT_EQ(CatalogueBytes(), kSampleCatalogue);
  EXPECT_EQ(ListItems().size(), 6);
  EXPECT_EQ(TokensIn(THolder::Numerator), std::vector<TTokenLabel*>({token}));
  EXPECT_TRUE(token->isVisible());
}

TEST_F(DragAndDrop, DropsTheUnitThatTheListDragPickedUpWhateverKeysArePressedMeanwhile) {
  TUnitListBox* list = C().UnitsListBox;
  ASSERT_EQ(QApplication::focusWidget(), list);
  const QPoint onArea = list->visualItemRect(kArea).center();
  QTest::mousePress(list->viewport(), Qt::LeftButton, {}, onArea);
  QTest::mouseMove(list->viewport(), onArea + QPoint(2 * TDragController::kThreshold, 0));
  QTest::keyClick(form_->windowHandle(), Qt::Key_Down, Qt::NoModifier);
  QTest::keyClick(form_->windowHandle(), Qt::Key_Down, Qt::NoModifier);
  EXPECT_EQ(CurrentItem(), QStringLiteral("Area"));
  QTest::mouseMove(C().TrashImage, {24, 24});
  QTest::mouseRelease(C().TrashImage, Qt::LeftButton, {}, {24, 24});
  EXPECT_EQ(ListItems(), QStringList({"Half", "Kelvin", "metre", "Newton", "Second"}));
}

// Mouse events as a window manager's frame leaves them where the toolkit does not know the frame
// (XWayland under weston): the screen position of each event is off, by the frame, from where
// the toolkit believes the window lies, while the event's position in the window is exact.
class FramedWindowDrag : public DragAndDrop {
 protected:
  void Send(QEvent::Type type, QWidget* widget, QPoint at, Qt::MouseButtons buttons) {
    const QPoint inWindow = widget->mapTo(form_.get(), at);
    const QPoint screen = form_->mapToGlobal(inWindow) + QPoint(6, 27);
    timestamp_ += 1000;  // never a double click
    qt_handleMouseEvent(form_->windowHandle(), inWindow, screen, buttons, Qt::LeftButton, type, {},
                        timestamp_);
  }

  void FramedDrag(QWidget* from, QPoint fromAt, QWidget* to, QPoint toAt) {
    Send(QEvent::MouseButtonPress, from, fromAt, Qt::LeftButton);
    const QPoint start = from->mapTo(form_.get(), fromAt);
    const QPoint end = to->mapTo(form_.get(), toAt);
    for (int step = 1; step <= 4; ++step) {
      Send(QEvent::MouseMove, form_.get(), start + (end - start) * step / 4, Qt::LeftButton);
    }
    Send(QEvent::MouseButtonRelease, to, toAt, Qt::NoButton);
  }

  int timestamp_ = 0;
};

TEST_F(FramedWindowDrag, DropsWhereTheEventsInTheWindowSay) {
  TUnitListBox* list = C().UnitsListBox;
  FramedDrag(list->viewport(), list->visualItemRect(kNewton).center(), NumeratorClient(),
             {100, 50});
  const auto tokens = TokensIn(THolder::Numerator);
  ASSERT_EQ(tokens.size(), 1U);
  EXPECT_EQ(tokens[0]->geometry(), QRect(68, 42, Extent("Newton").Width, Extent("Newton").Height));
  // Near the trash's lower edge, which a drop 27 pixels low would miss.
  FramedDrag(list->viewport(), list->visualItemRect(kSecond).center(), C().TrashImage, {24, 40});
  EXPECT_EQ(ListItems(), QStringList({"Area", "Half", "Kelvin", "metre", "Newton"}));
  // The hint and the cursor follow the same positions.
  Send(QEvent::MouseMove, C().TrashImage, {24, 40}, Qt::NoButton);
  EXPECT_EQ(C().MainStatusBar->currentMessage(), QStringLiteral("Trash (can not be undone!)"));
  Send(QEvent::MouseButtonPress, tokens[0], {2, 2}, Qt::LeftButton);
  Send(QEvent::MouseMove, NumeratorClient(), {3, 3}, Qt::LeftButton);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
  Send(QEvent::MouseButtonRelease, NumeratorClient(), {3, 3}, Qt::NoButton);
}

class EmptyListDrag : public MainFormTest {
 protected:
  EmptyListDrag() { OpenForm(); }
};

TEST_F(EmptyListDrag, ShowsTheListIndexErrorForADropOnTheTrash) {
  WriteCatalogue(kSampleCatalogue);  // present now, but the list was read when it was not
  const test::ModalBoxCatcher boxes;
  Drag(C().UnitsListBox->viewport(), {20, 20}, C().TrashImage, {24, 24});
  ASSERT_EQ(boxes.Boxes().size(), 1U);
  EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("List index out of bounds (-1)"));
  EXPECT_EQ(CatalogueBytes(), kSampleCatalogue);
  EXPECT_EQ(C().UnitsListBox->count(), 0);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(EmptyListDrag, MakesNoTokenForADropOnAnArea) {
  const test::ModalBoxCatcher boxes;
  Drag(C().UnitsListBox->viewport(), {20, 20}, C().Numerator->Client(), {100, 50});
  ASSERT_EQ(boxes.Boxes().size(), 1U);
  EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("List index out of bounds (-1)"));
  EXPECT_EQ(form_->WorkArea().TokenCount(), 0U);
}

}  // namespace
}  // namespace calpero::testing
