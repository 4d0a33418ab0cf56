#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStyle>
#include <QTest>
#include <QToolButton>

#include "catalogue/messages.h"
#include "main_form_fixture.h"
#include "tests/support/modal_box_catcher.h"
#include "ui/hint.h"
#include "ui/message_boxes.h"
#include "ui/new_var_dlg.h"
#include "ui/spoken_results.h"
#include "window/colour_contrast.h"

namespace calpero::testing {
namespace {

struct PlaceCase {
  const char* name;
  QRect geometry;  // within the parent
  const char* hint;
};

// Every control of the layout with its place, size and hint.
const auto kPlaces = std::to_array<PlaceCase>({
    {"WorkAreaPanel", {0, 0, 658, 345}, ""},
    {"MainStatusBar", {0, 345, 658, 19}, ""},
    {"Image9", {8, 8, 32, 32}, ""},
    {"FindStaticText", {44, 15, 30, 17}, "Find"},
    {"FindEdit", {72, 13, 201, 19}, "Find"},
    {"UnitsListBox", {8, 48, 289, 225}, "Available units"},
    {"MLabel", {52, 275, 50, 16}, "Power to which Mass is raised"},
    {"LLabel", {100, 275, 50, 16}, "Power to which Length is raised"},
    {"TempLabel", {172, 275, 50, 16}, "Power to which Temperature is raised"},
    {"TimeLabel", {228, 275, 50, 16}, "Power to which Time is raised"},
    {"Image10", {16, 288, 45, 45}, "Mass"},
    {"Image1", {80, 288, 45, 45}, "Length"},
    {"Image2", {136, 288, 45, 45}, "Temperature"},
    {"Image3", {200, 288, 45, 45}, "Time"},
    {"TrashImage", {300, 284, 48, 48}, "Trash (can not be undone!)"},
    {"TrashPanel", {256, 296, 25, 25}, ""},
    {"Numerator", {352, 51, 297, 106}, "Numerator (drag and drop text here)"},
    {"Denominator", {352, 167, 296, 106}, "Denominator (drag and drop text here)"},
    {"Panel1", {300, 160, 350, 4}, "Dividing Line"},
    {"ToolBarPanel", {334, 2, 321, 43}, "Resultant powers: evaluate, save, back up, clear, help"},
    {"MainToolBar", {0, 2, 318, 38}, ""},
    {"ToolBar1", {304, 85, 47, 38}, ""},
    {"ToolBar2", {304, 201, 47, 38}, ""},
    {"rMLabel", {420, 275, 50, 16}, "Power to which Mass is raised"},
    {"rLLabel", {468, 275, 50, 16}, "Power to which Length is raised"},
    {"rTempLabel", {532, 275, 50, 16}, "Power to which Temperature is raised"},
    {"rTimeLabel", {588, 275, 50, 16}, "Power to which Time is raised"},
    {"Image4", {384, 288, 45, 45}, "Mass"},
    {"Image5", {448, 288, 45, 45}, "Length"},
    {"Image6", {504, 288, 45, 45}, "Temperature"},
    {"Image7", {568, 288, 45, 45}, "Time"},
    {"ToolButton1", {0, 0, 8, 38}, "Separator"},
    {"BothToolButton", {8, 0, 39, 38}, "Evaluate resultant"},
    {"ToolButton2", {47, 0, 8, 38}, "Separator"},
    {"NToolButton", {55, 0, 39, 38}, "Evaluate numerator"},
    {"DToolButton", {94, 0, 39, 38}, "Evaluate denominator"},
    {"ToolButton7", {133, 0, 8, 38}, "Separator"},
    {"NewVariableToolButton", {141, 0, 39, 38}, "Make this arrangement a new variable"},
    {"ToolButton8", {180, 0, 8, 38}, "Separator"},
    {"BackFilesUpToolButton", {188, 0, 52, 38}, "Back files up"},
    {"ClearWorkAreaToolButton", {240, 0, 39, 38}, "Clear the work area"},
    {"ShowHelpToolButton", {279, 0, 39, 38}, "Show Help"},
    {"AddToNrButton", {0, 0, 39, 38}, "Add selection to numerator"},
    {"AddToDrButton", {0, 0, 39, 38}, "Add selection to denominator"},
});

class MainFormLayout : public MainFormTest {
 protected:
  MainFormLayout() { OpenForm(); }
};

// Walks every shown control of `window` through the accessibility interface: each one that can
// be operated, has a hint or shows text has a name, and one with a hint is described by it.
// Returns the names by object name (a token's is its unit name).
std::map<QString, QString> ExpectEveryControlNamed(QWidget* window) {
  std::map<QString, QString> names;
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(widget);
    const QAccessibleActionInterface* actions = control->actionInterface();
    const QString name = control->text(QAccessible::Name);
    const QString hint = HintOf(widget);
    if (widget->isVisibleTo(window) &&
        (control->state().focusable || (actions != nullptr && !actions->actionNames().isEmpty()) ||
         !hint.isEmpty() || control->role() == QAccessible::StaticText ||
         control->role() == QAccessible::StatusBar)) {
      EXPECT_FALSE(name.trimmed().isEmpty()) << widget->objectName().toStdString();
      // The unit list, named by its hint, is described by the number of its units.
      const auto* list = qobject_cast<const TUnitListBox*>(widget);
      EXPECT_EQ(control->text(QAccessible::Description),
                list != nullptr ? UnitCountSentence(static_cast<std::size_t>(list->count()))
                                : ShownHintOf(widget))
          << hint.toStdString();
    }
    names[widget->objectName().isEmpty() ? hint : widget->objectName()] = name;
  }
  return names;
}

TEST_F(MainFormLayout, NamesEveryControlOfBothWindowsForScreenReaders) {
  form_.reset();
  WriteCatalogue(kSampleCatalogue);
  OpenForm();
  ClickListItem(4);  // Newton
  Press(Qt::Key_Up);
  QTest::mouseMove(form_.get(), C().UnitsListBox->geometry().center());
  std::map<QString, QString> names = ExpectEveryControlNamed(form_.get());
  TNewVarDlg dialog;
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  QTest::mouseMove(&dialog, dialog.findChild<QWidget*>(QStringLiteral("Edit1"))->pos());
  names.merge(ExpectEveryControlNamed(&dialog));
  for (const auto& [object, name] :
       std::map<QString, QString>{{"AddToDrButton", "Add selection to denominator"},
                                  {"FindEdit", "Find: "},
                                  {"TrashImage", "Trash"},
                                  {"Newton", "Newton"},
                                  {"MLabel", "Mass 1.00"},
                                  {"rTimeLabel", "Time -2.00"},
                                  {"Edit5", "Variable Name"},
                                  {"Image8", "Time"}}) {
    EXPECT_EQ(names[object], name);
  }
}

TEST_F(MainFormLayout, PutsEveryControlInItsPlaceWithItsHint) {
  for (const PlaceCase& place : kPlaces) {
    const QWidget* widget = Find<QWidget>(place.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), place.geometry) << place.name;
    EXPECT_EQ(HintOf(widget), QLatin1String(place.hint)) << place.name;
  }
}

TEST_F(MainFormLayout, PopsHintsUpOnTheMainToolbarOnly) {
  for (const PlaceCase& place : kPlaces) {
    const QWidget* widget = Find<QWidget>(place.name);
    const bool onMainToolBar = widget->parentWidget() == C().MainToolBar;
    EXPECT_EQ(widget->toolTip(), onMainToolBar ? QLatin1String(place.hint) : QString())
        << place.name;
  }
}

// The test screen is too narrow for the window at 188, 156: it moves left just enough to show
// whole, and keeps its height on the screen.
TEST_F(MainFormLayout, HasItsCaptionPlaceAndClientSize) {
  EXPECT_EQ(form_->windowTitle(), QStringLiteral("Calpero"));
  EXPECT_EQ(form_->size(), QSize(658, 364));
  const QRect screen = form_->screen()->availableGeometry();
  ASSERT_LT(screen.width(), 188 + form_->frameGeometry().width());
  EXPECT_EQ(form_->frameGeometry().topRight(), QPoint(screen.right(), 156));
  EXPECT_FALSE(form_->windowIcon().isNull());
}

TEST_F(MainFormLayout, RefusesEverySizeChange) {
  form_->resize(800, 600);
  EXPECT_EQ(form_->size(), QSize(658, 364));
  form_->setGeometry(10, 10, 300, 200);
  EXPECT_EQ(form_->size(), QSize(658, 364));
  form_->showMaximized();
  QTest::qWait(50);
  EXPECT_EQ(form_->size(), QSize(658, 364));
  EXPECT_FALSE(form_->isMaximized());
  form_->showFullScreen();
  QTest::qWait(50);
  EXPECT_EQ(form_->size(), QSize(658, 364));
}

TEST_F(MainFormLayout, OffersNoMaximiseButton) {
  EXPECT_FALSE(form_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(form_->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_TRUE(form_->windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

TEST_F(MainFormLayout, StartsWithZerosEverywhereAndTheAddButtonsDisabled) {
  const QStringList zeros = {"0.00", "0.00", "0.00", "0.00"};
  EXPECT_EQ(ResultRow(), zeros);
  EXPECT_EQ(UnitRow(), zeros);
  EXPECT_FALSE(C().AddToNrButton->isEnabled());
  EXPECT_FALSE(C().AddToDrButton->isEnabled());
  EXPECT_EQ(form_->SelectedIndex(), 0);
  EXPECT_FALSE(form_->PopupToken().has_value());
  EXPECT_TRUE(C().ToolButton1->isEnabled());
  EXPECT_FALSE(C().ToolButton7->isEnabled());
  EXPECT_FALSE(C().TrashPanel->isVisible());
}

// The rightmost column of `label`'s own drawing (no background) that holds ink.
int InkRight(QLabel* label) {
  QImage image(label->size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  label->render(&image, {}, {}, QWidget::DrawChildren);
  int right = -1;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = right + 1; x < image.width(); ++x) {
      right = image.pixel(x, y) != qRgb(255, 255, 255) ? x : right;
    }
  }
  return right;
}

// The largest values keep their exact text and stay within the room before the next read-out:
// smaller, and shortened in the middle (keeping the exponent) only when even that is too wide.
TEST_F(MainFormLayout, FitsTheLargestValuesIntoTheirReadOuts) {
  WriteCatalogue(
      "[Big]\nMass=123456789\nLength=-123456789\nTime=1E20\n[Floor]\nMass=-3.402823E38\n"
      "[Huge]\nMass=-1.79769313486231E308\nLength=-2\n");
  form_.reset();
  OpenForm();
  DragListItem(1, C().Numerator->Client(), {100, 50});  // Floor's sum shows in rMLabel
  struct FitRow {
    int item;
    QLabel* label;
    const char* text;  // as FormatPower makes it
    bool whole;        // drawn whole, else shortened
  };
  for (const FitRow& row : std::to_array<FitRow>({{0, C().MLabel, "1.234568E8", true},
                                                  {0, C().LLabel, "-1.234568E8", true},
                                                  {0, C().TimeLabel, "1E20", true},
                                                  {2, C().MLabel, "-1.797693E308", false},
                                                  {2, C().LLabel, "-2.00", true},
                                                  {2, C().rMLabel, "-3.402823E38", true}})) {
    ClickListItem(row.item);
    auto* label = static_cast<TPowerLabel*>(row.label);
    EXPECT_EQ(label->text(), QLatin1String(row.text));
    EXPECT_LT(InkRight(label), TPowerLabel::kRoom) << row.text;
    EXPECT_EQ(label->ShownText() == label->text(), row.whole) << row.text;
    EXPECT_TRUE(label->ShownText().endsWith(QLatin1String(row.text).right(4))) << row.text;
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(label)
                    ->text(QAccessible::Name)
                    .endsWith(QLatin1String(row.text)));
  }
  // A value that fits is drawn as any label draws it.
  EXPECT_TRUE(static_cast<TPowerLabel*>(C().LLabel)->FitsAtItsSize());
}

TEST_F(MainFormLayout, UsesTheLayoutsFontsInPixels) {
  struct FontRow {
    const QWidget* widget;
    int pixels;
    bool bold;
    bool italic;
    const char* family;
  };
  const auto fonts = std::to_array<FontRow>({
      {form_.get(), 11, false, false, "MS Sans Serif"},
      {C().FindEdit, 11, false, false, "MS Sans Serif"},
      {C().UnitsListBox, 11, false, false, "MS Sans Serif"},
      {C().MLabel, 11, true, false, "Book Antiqua"},
      {C().rTimeLabel, 11, true, false, "Book Antiqua"},
      {C().Numerator, 15, true, true, "Book Antiqua"},
      {C().Denominator->Client(), 15, true, true, "Book Antiqua"},
  });
  for (const auto& expected : fonts) {
    const QFont font = expected.widget->font();
    EXPECT_EQ(font.pixelSize(), expected.pixels) << expected.widget->objectName().toStdString();
    EXPECT_EQ(font.bold(), expected.bold) << expected.widget->objectName().toStdString();
    EXPECT_EQ(font.italic(), expected.italic) << expected.widget->objectName().toStdString();
    EXPECT_EQ(font.family(), QLatin1String(expected.family));
  }
}

TEST_F(MainFormLayout, ShowsTheSubstituteFacesForTheWindowsFonts) {
  EXPECT_EQ(QFontInfo(C().Numerator->font()).family(), QStringLiteral("TeX Gyre Pagella"));
  EXPECT_EQ(QFontInfo(form_->font()).family(), QStringLiteral("Liberation Sans"));
}

TEST_F(MainFormLayout, PaintsTheAreasLimeOnBlackAndTheListCream) {
  for (const TAreaPanel* area : {C().Numerator, C().Denominator}) {
    EXPECT_EQ(area->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(area->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    EXPECT_EQ(area->Client()->geometry(), area->rect().adjusted(1, 1, -1, -1));
  }
  EXPECT_EQ(C().UnitsListBox->palette().color(QPalette::Base), QColor(255, 251, 240));
  const QImage picture = C().Numerator->grab().toImage();
  EXPECT_EQ(picture.pixelColor(picture.width() / 2, picture.height() / 2), QColor(Qt::black));
}

TEST_F(MainFormLayout, StartsWithTheFocusOnTheListAndTabsToTheFindBox) {
  EXPECT_EQ(QApplication::focusWidget(), C().UnitsListBox);
  QTest::keyClick(C().UnitsListBox, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), C().FindEdit);
  // No other control takes the focus: the toolbar buttons are clicked with the mouse only.
  QTest::keyClick(C().FindEdit, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), C().UnitsListBox);
}

TEST_F(MainFormLayout, DrawsTheToolbarImagesColdHotAndDisabled) {
  const QIcon icon = C().AddToNrButton->icon();
  const QImage cold = icon.pixmap(32, QIcon::Normal).toImage();
  const QImage hot = icon.pixmap(32, QIcon::Active).toImage();
  const QImage disabled = icon.pixmap(32, QIcon::Disabled).toImage();
  ASSERT_FALSE(cold.isNull());
  EXPECT_NE(cold, hot);
  EXPECT_NE(cold, disabled);
  EXPECT_EQ(C().AddToNrButton->iconSize(), QSize(32, 32));
  EXPECT_TRUE(C().AddToNrButton->autoRaise());
}

TEST_F(MainFormLayout, GivesTheBackupButtonItsRestoreMenu) {
  EXPECT_EQ(C().BackFilesUpToolButton->popupMode(), QToolButton::MenuButtonPopup);
  ASSERT_EQ(C().BackFilesUpToolButton->menu(), C().BackupPopupMenu);
  ASSERT_EQ(C().BackupPopupMenu->actions().size(), 1);
  EXPECT_EQ(C().BackupPopupMenu->actions().front()->text(), QStringLiteral("Restore"));
  ASSERT_EQ(C().LabelPopupMenu->actions().size(), 1);
  EXPECT_EQ(C().Delete1->text(), QStringLiteral("Delete"));
  EXPECT_EQ(C().Delete1->statusTip(), QStringLiteral("Delete this variable from the work area"));
}

// A palette of a dark desktop scheme: light grey text on dark grey, a deep blue selection.
QPalette DarkPalette() {
  const QColor text(238, 238, 236);
  QPalette dark(text, QColor(53, 53, 53), Qt::gray, Qt::black, Qt::darkGray, text, Qt::white,
                QColor(45, 45, 45), QColor(53, 53, 53));
  dark.setColor(QPalette::Highlight, QColor(21, 83, 158));
  return dark;
}

// Which ink InkContrast measures: the colour that stands out most, for text; the colour that most
// of a picture is drawn in, for pictures, whose every main part must stand out.
enum class TInk { Strongest, Commonest };

// The contrast of what is drawn inside `widget`, two pixels in from its edge, against the
// background there: the colour most pixels have against the ink that `ink` names.
double InkContrast(const QWidget* widget, TInk ink = TInk::Strongest) {
  QWidget* window = widget->window();
  const QRect area = QRect(widget->mapTo(window, QPoint()), widget->size()).adjusted(2, 2, -2, -2);
  const QImage picture = window->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
  std::map<QRgb, int> counts;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      ++counts[picture.pixel(x, y)];
    }
  }
  const auto rgb = [](QRgb pixel) {
    return TRgb{static_cast<std::uint8_t>(qRed(pixel)), static_cast<std::uint8_t>(qGreen(pixel)),
                static_cast<std::uint8_t>(qBlue(pixel))};
  };
  const QRgb background =
      std::ranges::max_element(counts, {}, &std::pair<const QRgb, int>::second)->first;
  if (ink == TInk::Commonest) {
    counts.erase(background);
    const QRgb commonest =
        std::ranges::max_element(counts, {}, &std::pair<const QRgb, int>::second)->first;
    return ContrastRatio(rgb(background), rgb(commonest));
  }
  double contrast = 1.0;
  for (const auto& entry : counts) {
    contrast = std::max(contrast, ContrastRatio(rgb(background), rgb(entry.first)));
  }
  return contrast;
}

// Dark from the start (false), or turning dark from light while both windows are open (true),
// as a desktop switching its colour scheme does: the windows follow with the same rules.
class DarkScheme : public MainFormTest, public ::testing::WithParamInterface<bool> {
 protected:
  DarkScheme() : light_(QApplication::palette()) {
    if (!TurnsDarkWhileRunning()) {
      QApplication::setPalette(DarkPalette());
    }
    WriteCatalogue(kSampleCatalogue);
    OpenForm();
  }
  static bool TurnsDarkWhileRunning() { return GetParam(); }
  ~DarkScheme() override {
    form_.reset();
    QApplication::setPalette(light_);
  }
  const QPalette light_;
};

TEST_P(DarkScheme, EveryTextAndLetterReadsAtLeastFourAndAHalfToOne) {
  QTest::keyClicks(C().FindEdit, QStringLiteral("Kel"));
  C().UnitsListBox->SetCurrentIndex(std::nullopt);
  QTest::mouseMove(form_.get(), C().UnitsListBox->geometry().center());
  TNewVarDlg dialog;
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  dialog.findChild<QLineEdit*>(QStringLiteral("Edit5"))->setText(QStringLiteral("Newton"));
  QTest::mouseMove(&dialog, dialog.findChild<QWidget*>(QStringLiteral("Edit1"))->pos());
  if (TurnsDarkWhileRunning()) {
    QApplication::setPalette(DarkPalette());
  }
  std::vector<const QWidget*> texts = {C().UnitsListBox->viewport(),
                                       C().FindEdit,
                                       C().MLabel,
                                       C().rTimeLabel,
                                       C().Image10,
                                       C().Image7,
                                       C().MainStatusBar};
  for (const char* name : {"Edit1", "Edit4", "Edit5", "Image5", "Image8", "StatusBar1"}) {
    texts.push_back(dialog.findChild<QWidget*>(QLatin1String(name)));
  }
  for (const QWidget* widget : texts) {
    EXPECT_GE(InkContrast(widget), 4.5) << widget->objectName().toStdString();
  }
  // Pictures that are not text ask for 3:1.
  for (const QWidget* button : form_->Controls().MainToolBar->findChildren<QToolButton*>()) {
    EXPECT_GE(InkContrast(button, TInk::Commonest), 3.0) << button->objectName().toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(FromTheStartOrWhileRunning, DarkScheme, ::testing::Bool());

// The windows as a desktop in another language shows them: built once that language's
// translation is installed, as at start.
class TranslatedWindows : public MainFormTest, public ::testing::WithParamInterface<const char*> {
 protected:
  TranslatedWindows() { OpenForm(); }

  ScopedWindowLanguage language_{GetParam()};
};

// How wide `text` shows in `widget`'s font: a "&&" shows as one "&".
int ShownWidth(const QWidget* widget, QString text) {
  text.replace(QStringLiteral("&&"), QStringLiteral("&"));
  return widget->fontMetrics().horizontalAdvance(text);
}

// The room a push button gives its text: its width less the style's margins and frame.
int TextRoom(const QPushButton* button) {
  const QStyle* style = button->style();
  return button->contentsRect().width() - style->pixelMetric(QStyle::PM_ButtonMargin) -
         2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
}

// Every word a window shows or hints at, by control and kind: captions, labels, button texts,
// hints, menu items and their hints, the window's caption.
std::map<QString, QString> WordsOf(const QWidget* window) {
  std::map<QString, QString> words = {{window->objectName() + ":caption", window->windowTitle()}};
  for (const QWidget* widget : window->findChildren<QWidget*>()) {
    words[widget->objectName() + ":hint"] = HintOf(widget);
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
      words[widget->objectName() + ":text"] = label->text();
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
      words[widget->objectName() + ":text"] = button->text();
    }
  }
  for (const QAction* item : window->findChildren<QAction*>()) {
    words[item->objectName() + ":text"] = item->text();
    words[item->objectName() + ":hint"] = item->statusTip();
  }
  return words;
}

TEST_P(TranslatedWindows, FitsEveryCaptionLabelButtonAndHintIntoItsControl) {
  TNewVarDlg dialog;
  const QLabel* find = C().FindStaticText;
  EXPECT_EQ(find->geometry(), QRect(44, 15, 30, 17));
  EXPECT_LE(ShownWidth(find, find->text()), find->contentsRect().width())
      << find->text().toStdString();
  // The find box covers the label's last pixels: the colon must end before the box begins.
  EXPECT_LE(ShownWidth(find, find->text().trimmed()), C().FindEdit->x() - find->x())
      << find->text().toStdString();
  const auto* name = dialog.findChild<QLabel*>(QStringLiteral("Label1"));
  const int nameRoom = dialog.findChild<QLineEdit*>(QStringLiteral("Edit5"))->x() - name->x();
  EXPECT_LE(ShownWidth(name, name->text()), nameRoom) << name->text().toStdString();
  for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
    EXPECT_EQ(button->size(), QSize(75, 25));
    EXPECT_LE(ShownWidth(button, button->text()), TextRoom(button)) << button->text().toStdString();
  }
  // The status bars show each hint on one line.
  for (const auto& [window, bar] :
       {std::pair<const QWidget*, const QWidget*>(form_.get(), C().MainStatusBar),
        {&dialog, dialog.findChild<QStatusBar*>()}}) {
    const int room = bar->contentsRect().width() - 4;
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
      EXPECT_LE(ShownWidth(bar, ShownHintOf(widget)), room) << ShownHintOf(widget).toStdString();
    }
  }
  EXPECT_LE(ShownWidth(C().MainStatusBar, C().Delete1->statusTip()),
            C().MainStatusBar->contentsRect().width() - 4);
}

TEST_P(TranslatedWindows, TranslatesEveryWordOfBothWindows) {
  TNewVarDlg dialog;
  std::map<QString, QString> translated = WordsOf(form_.get());
  translated.merge(WordsOf(&dialog));
  std::map<QString, QString> english;
  {
    const ScopedWindowLanguage source("en");
    const TMainForm form(std::make_unique<FakeHelpShell>());
    const TNewVarDlg sourceDialog;
    english = WordsOf(&form);
    english.merge(WordsOf(&sourceDialog));
  }
  ASSERT_EQ(translated.size(), english.size());
  for (const auto& [control, words] : english) {
    // Numbers and the program's name are the same in every language.
    if (words.contains(QRegularExpression(QStringLiteral("[a-z]"))) && words != "Calpero") {
      EXPECT_NE(translated[control], words) << control.toStdString();
    }
  }
}

// Each of the program's messages, the texts of its errors and of the new-unit dialog's boxes,
// has its translation: one whose English is reworded shows in English here until translated.
TEST_P(TranslatedWindows, TranslatesEveryMessage) {
  for (int i = static_cast<int>(MessageId::Text) + 1; i < static_cast<int>(MessageId::Count); ++i) {
    const auto id = static_cast<MessageId>(i);
    EXPECT_NE(TranslatedMessage(id), QString::fromUtf8(PatternOf(id).English))
        << PatternOf(id).English;
  }
}

TEST_P(TranslatedWindows, AsksYesOrNoInTheWindowsLanguage) {
  const std::map<std::string, QStringList> answers = {{"de", {"&Ja", "&Nein"}},
                                                      {"fr", {"&Oui", "&Non"}}};
  const test::ModalBoxCatcher boxes;
  ShowMessageBox(form_.get(), QStringLiteral("?"), QStringLiteral("?"), kMessageFlagsYesNo);
  ASSERT_EQ(boxes.Boxes().size(), 1U);
  EXPECT_EQ(boxes.Boxes()[0].buttons, answers.at(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(GermanAndFrench, TranslatedWindows, ::testing::Values("de", "fr"));

}  // namespace
}  // namespace calpero::testing
