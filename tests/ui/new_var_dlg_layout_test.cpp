#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <QAbstractButton>
#include <QColor>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRect>
#include <QString>
#include <QWidget>

#include "tests/ui/new_var_dlg_fixture.h"
#include "ui/hint.h"

namespace calpero::testing {
namespace {

QString TextOf(const QWidget* widget) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
    return edit->text();
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
    return button->text();
  }
  return {};
}

using NewVarDlgLayout = NewVarDlgTest;

TEST_F(NewVarDlgLayout, PlacesEveryControlWithItsTextAndHintAndNoToolTip) {
  struct Case {
    const char* name;
    QRect place;
    const char* text;
    const char* hint;
  };
  const std::vector<Case> cases = {
      {"Edit5", QRect(96, 18, 289, 19), "", "Variable name"},
      {"Edit1", QRect(80, 52, 33, 19), "0.00", "Power to which mass is raised"},
      {"Edit2", QRect(168, 52, 33, 19), "0.00", "Power to which length is raised"},
      {"Edit3", QRect(256, 52, 33, 19), "0.00", "Power to which temperature is raised"},
      {"Edit4", QRect(336, 52, 33, 19), "0.00", "Power to which time is raised"},
      {"Image5", QRect(48, 71, 45, 45), "", "Mass"},
      {"Image6", QRect(134, 71, 45, 45), "", "Length"},
      {"Image7", QRect(222, 71, 45, 45), "", "Temperature"},
      {"Image8", QRect(310, 71, 45, 45), "", "Time"},
      {"Button1", QRect(256, 140, 75, 25), "Save", ""},
      {"OKBtn", QRect(335, 140, 75, 25), "Save && Exit", "Save variable and Exit"},
      {"StatusBar1", QRect(0, 177, 427, 19), "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* widget = Control<QWidget>(c.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), c.place);
    EXPECT_EQ(TextOf(widget), c.text);
    EXPECT_EQ(HintOf(widget), c.hint);
    EXPECT_TRUE(widget->toolTip().isEmpty());
  }
}

TEST_F(NewVarDlgLayout, NameCaptionStartsAtItsPlaceAndShowsWholeBeforeTheNameField) {
  auto* caption = Control<QLabel>("Label1");
  EXPECT_EQ(caption->text(), "Variable Name");
  EXPECT_EQ(HintOf(caption), "Variable name");
  EXPECT_EQ(caption->pos(), QPoint(16, 24));
  EXPECT_GE(caption->width(), std::max(68, caption->sizeHint().width()));
  EXPECT_LE(caption->geometry().right(), Control<QLineEdit>("Edit5")->geometry().left());
}

TEST_F(NewVarDlgLayout, ShowsATransparentLetterPictureForEachPower) {
  for (const char* name : {"Image5", "Image6", "Image7", "Image8"}) {
    const QPixmap picture = Control<QLabel>(name)->pixmap();
    EXPECT_FALSE(picture.isNull()) << name;
    EXPECT_TRUE(picture.hasAlphaChannel()) << name;
  }
}

// The four edges' middle pixels of a drawn field, then one pixel just inside its right edge.
std::vector<QColor> EdgeAndInsideColors(QWidget* field) {
  const QImage image = field->grab().toImage();
  const int right = image.width() - 1;
  const int bottom = image.height() - 1;
  return {image.pixelColor(right / 2, 0), image.pixelColor(0, bottom / 2),
          image.pixelColor(right, bottom / 2), image.pixelColor(right / 2, bottom),
          image.pixelColor(right - 2, bottom / 2)};
}

TEST_F(NewVarDlgLayout, NameFieldIsFlatWithABlackEdgeOnTheButtonFace) {
  const QColor face = dialog_.palette().color(QPalette::Button);
  const std::vector<QColor> colors = EdgeAndInsideColors(Control<QLineEdit>("Edit5"));
  const std::vector<QColor> expected = {Qt::black, Qt::black, Qt::black, Qt::black, face};
  EXPECT_EQ(colors, expected);
}

TEST_F(NewVarDlgLayout, PowerFieldsHaveNoEdgeAndReadAsPrintedOnTheButtonFace) {
  const QColor face = dialog_.palette().color(QPalette::Button);
  for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4"}) {
    const std::vector<QColor> colors = EdgeAndInsideColors(Control<QLineEdit>(name));
    EXPECT_EQ(colors, std::vector<QColor>(colors.size(), face)) << name;
  }
}

}  // namespace
}  // namespace calpero::testing
