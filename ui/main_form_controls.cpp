#include "ui/main_form_controls.h"

#include <array>

#include <QApplication>
#include <QCursor>
#include <QHoverEvent>
#include <QIcon>
#include <QMenu>
#include <QToolButton>

#include "ui/control_building.h"
#include "ui/desktop_settings.h"
#include "ui/hint.h"
#include "ui/screen_readers.h"
#include "ui/token_widgets.h"
#include "ui/window_widgets.h"

namespace calpero {
namespace {

// The toolbar images, indexed as the toolbars use them: 0 evaluate the resultant, 1 the numerator,
// 2 the denominator, 3 new variable, 4 back up, 5 clear, 6 help, 7 add.
enum class TToolImage {
  EvaluateResultant = 0,
  EvaluateNumerator = 1,
  EvaluateDenominator = 2,
  NewVariable = 3,
  Backup = 4,
  Clear = 5,
  Help = 6,
  Add = 7,
};

// The file names of the toolbar images, in the order of TToolImage.
constexpr std::array<const char*, 8> kImageNames = {
    "0-evaluate-resultant",
    "1-evaluate-numerator",
    "2-evaluate-denominator",
    "3-new-variable",
    "4-backup",
    "5-clear",
    "6-help",
    "7-add",
};

// The toolbar image of a button, kept on it so that its icon can be made anew for new colours.
const char* const kImageProperty = "calperoToolImage";

QString ImagePath(const char* set, TToolImage image) {
  return QStringLiteral(":/artwork/toolbar/%1/%2.svg")
      .arg(QLatin1String(set), QLatin1String(kImageNames.at(static_cast<std::size_t>(image))));
}

// The icon of one toolbar image, 32 by 32 pixels: the grey (cold) picture in the normal mode,
// the coloured (hot) one in the active mode that auto-raise buttons show under the pointer, and
// the disabled picture for a disabled button.
// On a dark desktop the grey pictures are turned over (DesktopInk's rule for artwork), so that
// they stand out from the button face as they do on a light one.
QIcon ToolbarIcon(TToolImage image, bool dark) {
  const QSize size(32, 32);
  QIcon icon;
  if (dark) {
    const QIcon cold(ImagePath("cold", image));
    for (const int scale : {1, 2}) {
      icon.addPixmap(QPixmap::fromImage(TurnedOverGreys(cold.pixmap(size * scale).toImage())),
                     QIcon::Normal);
    }
  } else {
    icon.addFile(ImagePath("cold", image), size, QIcon::Normal);
  }
  icon.addFile(ImagePath("hot", image), size, QIcon::Active);
  icon.addFile(ImagePath("disabled", image), size, QIcon::Disabled);
  return icon;
}

const QColor kCream(255, 251, 240);
const QColor kLime(0, 255, 0);
constexpr int kToolButtonHeight = 38;
constexpr int kToolButtonWidth = 39;
constexpr int kSeparatorWidth = 8;

// Where the window puts one quantity's power label and its letter, and what it names them.
struct TPowerPlace {
  TPowerLabel** Label;
  const char* LabelName;
  int LabelLeft;
  TPicture** Letter;
  const char* LetterName;
  int LetterLeft;
};

TPowerLabel* PowerLabel(QWidget* parent, const char* name, int left, const QString& quantity,
                        const QString& hint) {
  auto* label = Place(new TPowerLabel(quantity, parent), name, {left, 275, 50, 16}, hint);
  label->setFont(PixelFont(QStringLiteral("Book Antiqua"), 11, true, false));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

TPicture* LetterPicture(QWidget* parent, const char* name, int left, std::size_t quantity,
                        const QString& hint) {
  return Place(new TPicture(LetterArtwork(quantity), parent), name, {left, 288, 45, 45}, hint);
}

QToolButton* ToolButton(QWidget* bar, const char* name, int left, TToolImage image,
                        const QString& hint) {
  auto* button =
      Place(new QToolButton(bar), name, {left, 0, kToolButtonWidth, kToolButtonHeight}, hint);
  button->setProperty(kImageProperty, static_cast<int>(image));
  button->setIcon(ToolbarIcon(image, IsDarkDesktop(QApplication::palette())));
  button->setIconSize(QSize(32, 32));
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

// An open menu holds the pointer, so the button that dropped it down hears nothing when the
// pointer leaves it for the menu, and would keep its hot look after the menu closes until the
// pointer crossed it again. As the menu closes, a button that the pointer is no longer over is
// told that the pointer left it.
void CoolDownWhenMenuCloses(QToolButton* button, QMenu* menu) {
  QObject::connect(menu, &QMenu::aboutToHide, button, [button] {
    const QPointF global = QCursor::pos();
    if (!button->underMouse() || button->rect().contains(button->mapFromGlobal(global).toPoint())) {
      return;
    }
    button->setAttribute(Qt::WA_UnderMouse, false);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(button, &leave);
    QHoverEvent hoverLeave(QEvent::HoverLeave, QPointF(-1, -1), global,
                           button->mapFromGlobal(global));
    QCoreApplication::sendEvent(button, &hoverLeave);
    button->update();
  });
}

TToolSeparator* Separator(QWidget* bar, const char* name, int left) {
  return Place(new TToolSeparator(bar), name, {left, 0, kSeparatorWidth, kToolButtonHeight},
               QCoreApplication::translate("MainForm", "Separator"));
}

}  // namespace

TMainFormControls::TMainFormControls(QWidget* form) {
  InstallOwnAccessibleFactory();
  form->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11, false, false));
  WorkAreaPanel =
      Place(new TPanel(TPanelFrame::RaisedOverLowered, form), "WorkAreaPanel", {0, 0, 658, 345});
  MainStatusBar = Place(new QStatusBar(form), "MainStatusBar", {0, 345, 658, 19});
  MainStatusBar->setSizeGripEnabled(false);
  BuildFindAndList();
  BuildPowerRows();
  BuildWorkArea();
  BuildMainToolBar();
  BuildAddToolBars();
  BuildMenus(form);
  QWidget::setTabOrder(UnitsListBox, FindEdit);
  NameForScreenReaders(form);
  ApplyDesktopColours(form);
  FollowDesktopColours(form, [this, form] { ApplyDesktopColours(form); });
}

void TMainFormControls::ApplyDesktopColours(QWidget* form) const {
  const QPalette desktop = QApplication::palette();
  // Each palette set here holds only the roles it names; the others follow the desktop.
  QPalette formColours;
  formColours.setColor(QPalette::Window, desktop.color(QPalette::Button));
  form->setPalette(formColours);
  QPalette inkColours;
  inkColours.setColor(QPalette::WindowText, DesktopInk(desktop));
  for (const TPowerRow& row : {UnitRow, ResultRow}) {
    for (QLabel* label : row) {
      label->setPalette(inkColours);
    }
  }
  for (TPicture* letter : {Image10, Image1, Image2, Image3, Image4, Image5, Image6, Image7}) {
    letter->SetInk(DesktopInk(desktop));
  }
  for (QToolButton* button : form->findChildren<QToolButton*>()) {
    const QVariant image = button->property(kImageProperty);
    if (image.isValid()) {
      button->setIcon(ToolbarIcon(static_cast<TToolImage>(image.toInt()), IsDarkDesktop(desktop)));
    }
  }
  // The desktop's own background colour is not known here; the palette's accent colour is the
  // nearest thing a Linux desktop offers.
  Panel1->SetColor(desktop.color(QPalette::Highlight));
}

void TMainFormControls::BuildFindAndList() {
  Image9 = Place(new TPicture(QStringLiteral(":/artwork/magnifier.svg"), WorkAreaPanel), "Image9",
                 {8, 8, 32, 32});
  FindStaticText =
      Place(new QLabel(QCoreApplication::translate("MainForm", "Find: "), WorkAreaPanel),
            "FindStaticText", {44, 15, 30, 17}, QCoreApplication::translate("MainForm", "Find"));
  FindStaticText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  FindEdit = Place(new QLineEdit(WorkAreaPanel), "FindEdit", {72, 13, 201, 19},
                   QCoreApplication::translate("MainForm", "Find"));
  FindStaticText->setBuddy(FindEdit);
  const TLightControlColours light = LightControlColours();
  FindEdit->setStyleSheet(
      QStringLiteral("QLineEdit { background: rgb(255, 251, 240); "
                     "border: 1px solid black; color: %1; "
                     "selection-background-color: %2; selection-color: %3; }")
          .arg(light.Text.name(), light.Highlight.name(), light.HighlightedText.name()));
  UnitsListBox = Place(new TUnitListBox(WorkAreaPanel), "UnitsListBox", {8, 48, 289, 225},
                       QCoreApplication::translate("MainForm", "Available units"));
  UnitsListBox->setFrameStyle(QFrame::Box | QFrame::Plain);
  UnitsListBox->setLineWidth(1);
  QPalette colors = UnitsListBox->palette();
  colors.setColor(QPalette::Base, kCream);
  colors.setColor(QPalette::Text, light.Text);
  colors.setColor(QPalette::Highlight, light.Highlight);
  colors.setColor(QPalette::HighlightedText, light.HighlightedText);
  UnitsListBox->setPalette(colors);
}

void TMainFormControls::BuildPowerRows() {
  const std::array<QString, 4> powerHints = {
      QCoreApplication::translate("MainForm", "Power to which Mass is raised"),
      QCoreApplication::translate("MainForm", "Power to which Length is raised"),
      QCoreApplication::translate("MainForm", "Power to which Temperature is raised"),
      QCoreApplication::translate("MainForm", "Power to which Time is raised")};
  const std::array<QString, 4> letterHints = {
      QCoreApplication::translate("MainForm", "Mass"),
      QCoreApplication::translate("MainForm", "Length"),
      QCoreApplication::translate("MainForm", "Temperature"),
      QCoreApplication::translate("MainForm", "Time")};
  // The operands' row (left) and the resultant's (right), one quantity a line. A row's labels
  // come first, so that its letters lie above them.
  const std::array<std::array<TPowerPlace, 4>, 2> rows = {{
      {{{&MLabel, "MLabel", 52, &Image10, "Image10", 16},
        {&LLabel, "LLabel", 100, &Image1, "Image1", 80},
        {&TempLabel, "TempLabel", 172, &Image2, "Image2", 136},
        {&TimeLabel, "TimeLabel", 228, &Image3, "Image3", 200}}},
      {{{&rMLabel, "rMLabel", 420, &Image4, "Image4", 384},
        {&rLLabel, "rLLabel", 468, &Image5, "Image5", 448},
        {&rTempLabel, "rTempLabel", 532, &Image6, "Image6", 504},
        {&rTimeLabel, "rTimeLabel", 588, &Image7, "Image7", 568}}},
  }};
  for (const std::array<TPowerPlace, 4>& row : rows) {
    for (std::size_t q = 0; q < row.size(); ++q) {
      *row.at(q).Label = PowerLabel(WorkAreaPanel, row.at(q).LabelName, row.at(q).LabelLeft,
                                    letterHints.at(q), powerHints.at(q));
    }
    for (std::size_t q = 0; q < row.size(); ++q) {
      *row.at(q).Letter = LetterPicture(WorkAreaPanel, row.at(q).LetterName, row.at(q).LetterLeft,
                                        q, letterHints.at(q));
    }
  }
  UnitRow = {MLabel, LLabel, TempLabel, TimeLabel};
  ResultRow = {rMLabel, rLLabel, rTempLabel, rTimeLabel};
}

void TMainFormControls::BuildWorkArea() {
  // The tokens take the areas' font, with a stand-in for the scripts that its face lacks.
  const QFont areaFont = TokenFont(PixelFont(QStringLiteral("Book Antiqua"), 15, true, true));
  Numerator =
      Place(new TAreaPanel(areaFont, kLime, WorkAreaPanel), "Numerator", {352, 51, 297, 106},
            QCoreApplication::translate("MainForm", "Numerator (drag and drop text here)"));
  Denominator =
      Place(new TAreaPanel(areaFont, kLime, WorkAreaPanel), "Denominator", {352, 167, 296, 106},
            QCoreApplication::translate("MainForm", "Denominator (drag and drop text here)"));
  Panel1 = Place(new TPanel(TPanelFrame::SingleLine, WorkAreaPanel), "Panel1", {300, 160, 350, 4},
                 QCoreApplication::translate("MainForm", "Dividing Line"));
  TrashImage = Place(new TPicture(QStringLiteral(":/artwork/trash.svg"), WorkAreaPanel),
                     "TrashImage", {300, 284, 48, 48},
                     QCoreApplication::translate("MainForm", "Trash (can not be undone!)"));
  TrashPanel =
      Place(new TPanel(TPanelFrame::None, WorkAreaPanel), "TrashPanel", {256, 296, 25, 25});
  TrashPanel->hide();
}

void TMainFormControls::BuildMainToolBar() {
  ToolBarPanel = Place(new TPanel(TPanelFrame::None, WorkAreaPanel), "ToolBarPanel",
                       {334, 2, 321, 43}, ResultantPowersHintText({}));
  MainToolBar = Place(new QWidget(ToolBarPanel), "MainToolBar", {0, 2, 318, 38});
  QWidget* bar = MainToolBar;
  ToolButton1 = Separator(bar, "ToolButton1", 0);
  BothToolButton = ToolButton(bar, "BothToolButton", 8, TToolImage::EvaluateResultant,
                              QCoreApplication::translate("MainForm", "Evaluate resultant"));
  ToolButton2 = Separator(bar, "ToolButton2", 47);
  NToolButton = ToolButton(bar, "NToolButton", 55, TToolImage::EvaluateNumerator,
                           QCoreApplication::translate("MainForm", "Evaluate numerator"));
  DToolButton = ToolButton(bar, "DToolButton", 94, TToolImage::EvaluateDenominator,
                           QCoreApplication::translate("MainForm", "Evaluate denominator"));
  ToolButton7 = Separator(bar, "ToolButton7", 133);
  ToolButton7->setEnabled(false);
  NewVariableToolButton =
      ToolButton(bar, "NewVariableToolButton", 141, TToolImage::NewVariable,
                 QCoreApplication::translate("MainForm", "Make this arrangement a new variable"));
  ToolButton8 = Separator(bar, "ToolButton8", 180);
  BackFilesUpToolButton = ToolButton(bar, "BackFilesUpToolButton", 188, TToolImage::Backup,
                                     QCoreApplication::translate("MainForm", "Back files up"));
  // The drop-down arrow widens the button by the arrow's part.
  BackFilesUpToolButton->resize(240 - 188, kToolButtonHeight);
  BackFilesUpToolButton->setPopupMode(QToolButton::MenuButtonPopup);
  ClearWorkAreaToolButton =
      ToolButton(bar, "ClearWorkAreaToolButton", 240, TToolImage::Clear,
                 QCoreApplication::translate("MainForm", "Clear the work area"));
  ShowHelpToolButton = ToolButton(bar, "ShowHelpToolButton", 279, TToolImage::Help,
                                  QCoreApplication::translate("MainForm", "Show Help"));
  // Only this toolbar pops its hints up.
  for (QWidget* child : bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    child->setToolTip(HintOf(child));
  }
}

void TMainFormControls::BuildAddToolBars() {
  ToolBar1 = Place(new QWidget(WorkAreaPanel), "ToolBar1", {304, 85, 47, 38});
  AddToNrButton = ToolButton(ToolBar1, "AddToNrButton", 0, TToolImage::Add,
                             QCoreApplication::translate("MainForm", "Add selection to numerator"));
  ToolBar2 = Place(new QWidget(WorkAreaPanel), "ToolBar2", {304, 201, 47, 38});
  AddToDrButton =
      ToolButton(ToolBar2, "AddToDrButton", 0, TToolImage::Add,
                 QCoreApplication::translate("MainForm", "Add selection to denominator"));
}

void TMainFormControls::BuildMenus(QWidget* form) {
  BackupPopupMenu = new QMenu(form);
  BackupPopupMenu->setObjectName(QStringLiteral("BackupPopupMenu"));
  RestoreMenuItem = BackupPopupMenu->addAction(QCoreApplication::translate("MainForm", "Restore"));
  RestoreMenuItem->setObjectName(QStringLiteral("RestoreMenuItem"));
  BackFilesUpToolButton->setMenu(BackupPopupMenu);
  CoolDownWhenMenuCloses(BackFilesUpToolButton, BackupPopupMenu);
  LabelPopupMenu = new QMenu(form);
  LabelPopupMenu->setObjectName(QStringLiteral("LabelPopupMenu"));
  Delete1 = LabelPopupMenu->addAction(QCoreApplication::translate("MainForm", "Delete"));
  Delete1->setObjectName(QStringLiteral("Delete1"));
  Delete1->setStatusTip(
      QCoreApplication::translate("MainForm", "Delete this variable from the work area"));
}

}  // namespace calpero
