#include "ui/token_widgets.h"

#include <gtest/gtest.h>

#include <array>

#include <QFontInfo>
#include <QGlyphRun>
#include <QPainter>
#include <QTest>
#include <QTextLayout>

namespace calpero::testing {
namespace {

QFont AreaFont() {
  QFont font(QStringLiteral("Book Antiqua"));
  font.setPixelSize(15);
  font.setBold(true);
  font.setItalic(true);
  return font;
}

TEST(MeasureCaption, MeasuresWhatIsDrawn) {
  const QFont font = AreaFont();
  const QFontMetrics metrics(font);
  struct Case {
    const char* caption;
    const char* drawn;
  };
  const auto cases = std::to_array<Case>({
      {"Newton", "Newton"},
      {"&Newton", "Newton"},
      {"R&&D", "R&D"},
      {"Watt&", "Watt"},
      {"", ""},
  });
  for (const auto& c : cases) {
    const TTextExtent extent = MeasureCaption(font, c.caption);
    EXPECT_EQ(extent.Width, metrics.horizontalAdvance(QLatin1String(c.drawn))) << c.caption;
    EXPECT_EQ(extent.Height, metrics.height()) << c.caption;
  }
}

// A token shown alone on black, in the areas' font and lime.
QImage Render(const char* caption) {
  QWidget holder;
  holder.setFont(AreaFont());
  QPalette colors = holder.palette();
  colors.setColor(QPalette::Window, Qt::black);
  colors.setColor(QPalette::WindowText, QColor(0, 255, 0));
  holder.setPalette(colors);
  holder.setAutoFillBackground(true);
  TTokenLabel token(1, caption, &holder);
  const TTextExtent extent = MeasureCaption(holder.font(), caption);
  token.setGeometry(0, 0, extent.Width, extent.Height);
  holder.resize(extent.Width, extent.Height);
  return holder.grab().toImage();
}

// How many characters of `text` laid out in `font` fall to no font at all (drawn as boxes).
int MissingGlyphs(const QFont& font, const QString& text) {
  QTextLayout layout(text, font);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  int missing = 0;
  for (const QGlyphRun& run : layout.glyphRuns()) {
    missing += static_cast<int>(run.glyphIndexes().count(0));
  }
  return missing;
}

// A token draws every script that the list draws, in the area's font where it has the glyphs.
TEST(TTokenLabel, DrawsEveryScriptThatTheListDraws) {
  const QFont token = TokenFont(AreaFont());
  QFont list(QStringLiteral("MS Sans Serif"));
  list.setPixelSize(11);
  for (const char* caption : {"Newton", "\u0645\u062a\u0631 \u0645\u0631\u0628\u0639",
                              "\u05de\u05d8\u05e8", "\u00c5ngstr\u00f6m", "\u03a9 Ohm"}) {
    ASSERT_EQ(MissingGlyphs(list, QString::fromUtf8(caption)), 0) << caption;
    EXPECT_EQ(MissingGlyphs(token, QString::fromUtf8(caption)), 0) << caption;
  }
  // Latin stays in the area's own face, in bold italic.
  EXPECT_EQ(QFontInfo(token).family(), QFontInfo(AreaFont()).family());
  EXPECT_TRUE(QFontInfo(token).italic());
}

TEST(TTokenLabel, DrawsADoubledAmpersandAsOne) {
  const QImage drawn = Render("R&&D");
  QImage reference(drawn.size(), drawn.format());
  reference.fill(Qt::black);
  QPainter painter(&reference);
  painter.setFont(AreaFont());
  painter.setPen(QColor(0, 255, 0));
  painter.drawText(0, QFontMetrics(AreaFont()).ascent(), QStringLiteral("R&D"));
  painter.end();
  EXPECT_EQ(drawn.convertToFormat(QImage::Format_RGB32),
            reference.convertToFormat(QImage::Format_RGB32));
}

TEST(TTokenLabel, UnderlinesTheCharacterAfterASingleAmpersand) {
  const QImage plain = Render("Newton");
  const QImage marked = Render("&Newton");
  ASSERT_EQ(plain.size(), marked.size());
  EXPECT_NE(plain, marked);
}

TEST(TTokenLabel, ShowsItsNameAsItsHintAndDrawsRedWhileDragged) {
  QWidget holder;
  QPalette colors = holder.palette();
  colors.setColor(QPalette::WindowText, QColor(0, 255, 0));
  holder.setPalette(colors);
  TTokenLabel token(7,
                    "Gr\xC3\xA4"
                    "de",
                    &holder);
  EXPECT_EQ(token.property("calperoHint").toString(), QString::fromUtf8("Gr\xC3\xA4"
                                                                        "de"));
  EXPECT_EQ(token.TextColor(), QColor(0, 255, 0));
  token.SetDragged(true);
  EXPECT_EQ(token.TextColor(), QColor(255, 0, 0));
  token.SetDragged(false);
  EXPECT_EQ(token.TextColor(), QColor(0, 255, 0));
}

class TokenWidgetsTest : public ::testing::Test {
 protected:
  TokenWidgetsTest()
      : workArea_([](std::string_view) {
          return TTextExtent{40, 20};
        }),
        widgets_({&numerator_, &denominator_, &trash_}, [this](TTokenLabel*) { ++created_; }) {
    for (QWidget* holder : {&numerator_, &denominator_, &trash_}) {
      holder->resize(300, 100);
    }
  }

  QWidget numerator_;
  QWidget denominator_;
  QWidget trash_;
  TWorkArea workArea_;
  int created_ = 0;
  TTokenWidgets widgets_;
};

TEST_F(TokenWidgetsTest, PlacesOneWidgetPerTokenAndStacksLaterOnesOnTop) {
  const auto first = workArea_.PlaceToken(THolder::Numerator, 50, 20, "A");
  const auto second = workArea_.PlaceToken(*first, 0, 0, "B");
  widgets_.Sync(workArea_);
  ASSERT_EQ(created_, 2);
  EXPECT_EQ(widgets_.Widget(*first)->geometry(), QRect(18, 12, 40, 20));
  EXPECT_EQ(widgets_.Widget(*second)->geometry(), QRect(22, 16, 40, 20));
  EXPECT_EQ(numerator_.childAt(30, 20), widgets_.Widget(*second));
  // Moved away and back, the first token arrives last and lies on top.
  workArea_.MoveToken(*first, THolder::Denominator, 100, 50);
  workArea_.MoveToken(*first, THolder::Numerator, 38, 22);
  widgets_.Sync(workArea_);
  EXPECT_EQ(widgets_.Widget(*first)->parentWidget(), &numerator_);
  EXPECT_EQ(numerator_.childAt(30, 20), widgets_.Widget(*first));
  EXPECT_EQ(created_, 2);
}

TEST_F(TokenWidgetsTest, HidesTrashedTokensAndDestroysFreedOnes) {
  const auto kept = workArea_.PlaceToken(THolder::Denominator, 50, 20, "A");
  const auto trashed = workArea_.PlaceToken(THolder::Denominator, 150, 20, "B");
  widgets_.Sync(workArea_);
  const QPointer<TTokenLabel> keptWidget = widgets_.Widget(*kept);
  workArea_.TrashToken(*trashed);
  widgets_.Sync(workArea_);
  EXPECT_EQ(widgets_.Widget(*trashed)->parentWidget(), &trash_);
  EXPECT_TRUE(widgets_.Widget(*trashed)->isHidden());
  workArea_.DeleteToken(*kept);
  widgets_.Sync(workArea_);
  EXPECT_EQ(widgets_.Widget(*kept), nullptr);
  EXPECT_TRUE(keptWidget.isNull());
  workArea_.ClearTokens();
  widgets_.Sync(workArea_);
  EXPECT_TRUE(trash_.findChildren<TTokenLabel*>().isEmpty());
}

}  // namespace
}  // namespace calpero::testing
