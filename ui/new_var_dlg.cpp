#include "ui/new_var_dlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QString>
#include <QSvgRenderer>

#include "ui/control_building.h"
#include "ui/desktop_settings.h"
#include "ui/grapheme_limit.h"
#include "ui/hint.h"
#include "ui/message_boxes.h"
#include "ui/screen_readers.h"
#include "ui/spoken_results.h"

namespace calpero {
namespace {

constexpr int kClientWidth = 427;
constexpr int kClientHeight = 196;
constexpr int kStatusBarHeight = 19;
constexpr int kFontPixels = 11;
constexpr int kNameMaxLength = 64;
constexpr int kPictureSide = 45;
constexpr int kSaveAndExitResult = 1;
constexpr int kCloseBoxResult = 2;

// The exponents print like text set in a book: a bold serif, black (or the desktop's text colour
// when its colour is dark), on the dialog's background.
QLineEdit* MakePowerField(QWidget* parent, const char* name, int left, const QString& hint) {
  constexpr int kFieldsTop = 52;
  constexpr int kFieldWidth = 33;
  constexpr int kFieldHeight = 19;
  auto* field = Place(new QLineEdit(QStringLiteral("0.00"), parent), name,
                      {left, kFieldsTop, kFieldWidth, kFieldHeight}, hint);
  field->setFrame(false);
  field->setFont(PixelFont(QStringLiteral("Book Antiqua"), kFontPixels, true));
  return field;
}

QLabel* MakeLetterPicture(QWidget* parent, const char* name, int left, const QString& hint) {
  constexpr int kPicturesTop = 71;
  return Place(new QLabel(parent), name, {left, kPicturesTop, kPictureSide, kPictureSide}, hint);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, int left) {
  constexpr int kButtonsTop = 140;
  constexpr int kButtonWidth = 75;
  constexpr int kButtonHeight = 25;
  return Place(new QPushButton(text, parent), name,
               {left, kButtonsTop, kButtonWidth, kButtonHeight});
}

}  // namespace

TNewVarDlg::TNewVarDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("NewVarDlg"));
  setWindowTitle(QCoreApplication::translate("NewVarDlg", "Create Variable Dialogue"));
  setFixedSize(kClientWidth, kClientHeight);
  setFont(PixelFont(QStringLiteral("Tahoma"), kFontPixels));
  BuildControls();
  ApplyDesktopColours();
  FollowDesktopColours(this, [this] { ApplyDesktopColours(); });
  announcer_ = new TAnnouncer(this);
  SetTabOrder();
  NameForScreenReaders(this);
  connect(Button1, &QPushButton::clicked, this, [this] { ClickWithCloseResult(0); });
  connect(OKBtn, &QPushButton::clicked, this, [this] { ClickWithCloseResult(kSaveAndExitResult); });
}

void TNewVarDlg::BuildControls() {
  Label1 = Place(new QLabel(QCoreApplication::translate("NewVarDlg", "Variable Name"), this),
                 "Label1", {16, 24, 68, 13});
  // The size fits the caption in Tahoma; a wider substitute font grows the label, as an
  // auto-sized label would, rather than cutting the caption short.
  Label1->resize(Label1->size().expandedTo(Label1->sizeHint()));
  SetHint(Label1, QCoreApplication::translate("NewVarDlg", "Variable name"));

  Edit5 = Place(new QLineEdit(this), "Edit5", {96, 18, 289, 19},
                QCoreApplication::translate("NewVarDlg", "Variable name"));
  Label1->setBuddy(Edit5);
  // The limit counts the characters a person sees, so that it never cuts one in half.
  Edit5->setValidator(new TGraphemeLimit(kNameMaxLength, Edit5));
  // A flat edit's one-line edge is black, as on the main window's find box.
  Edit5->setStyleSheet(
      QStringLiteral("QLineEdit { border: 1px solid black; background: palette(button); }"));

  BuildPowerRow();

  Button1 = MakeButton(this, "Button1", QCoreApplication::translate("NewVarDlg", "Save"), 256);
  Button1->setDefault(true);
  // "&&" shows one ampersand and leaves the button without an access key.
  OKBtn = MakeButton(this, "OKBtn", QCoreApplication::translate("NewVarDlg", "Save && Exit"), 335);
  SetHint(OKBtn, QCoreApplication::translate("NewVarDlg", "Save variable and Exit"));
  OKBtn->setFocusPolicy(Qt::ClickFocus);

  StatusBar1 = Place(new QStatusBar(this), "StatusBar1",
                     {0, kClientHeight - kStatusBarHeight, kClientWidth, kStatusBarHeight});
  StatusBar1->setSizeGripEnabled(false);
}

void TNewVarDlg::BuildPowerRow() {
  Image5 = MakeLetterPicture(this, "Image5", 48, QCoreApplication::translate("NewVarDlg", "Mass"));
  Image6 =
      MakeLetterPicture(this, "Image6", 134, QCoreApplication::translate("NewVarDlg", "Length"));
  Image7 = MakeLetterPicture(this, "Image7", 222,
                             QCoreApplication::translate("NewVarDlg", "Temperature"));
  Image8 = MakeLetterPicture(this, "Image8", 310, QCoreApplication::translate("NewVarDlg", "Time"));

  Edit1 = MakePowerField(this, "Edit1", 80,
                         QCoreApplication::translate("NewVarDlg", "Power to which mass is raised"));
  Edit2 =
      MakePowerField(this, "Edit2", 168,
                     QCoreApplication::translate("NewVarDlg", "Power to which length is raised"));
  Edit3 = MakePowerField(
      this, "Edit3", 256,
      QCoreApplication::translate("NewVarDlg", "Power to which temperature is raised"));
  Edit4 = MakePowerField(this, "Edit4", 336,
                         QCoreApplication::translate("NewVarDlg", "Power to which time is raised"));
}

void TNewVarDlg::ApplyDesktopColours() {
  const QPalette desktop = QApplication::palette();
  const QColor buttonFace = desktop.color(QPalette::Button);
  // Each palette set here holds only the roles it names; the others follow the desktop.
  QPalette dialogColours;
  dialogColours.setColor(QPalette::Window, buttonFace);
  setPalette(dialogColours);
  QPalette fieldColours;
  fieldColours.setColor(QPalette::Base, buttonFace);
  fieldColours.setColor(QPalette::Text, DesktopInk(desktop));
  for (QLineEdit* field : {Edit1, Edit2, Edit3, Edit4}) {
    field->setPalette(fieldColours);
  }
  const std::array<QLabel*, 4> letters = {Image5, Image6, Image7, Image8};
  for (std::size_t quantity = 0; quantity < letters.size(); ++quantity) {
    QSvgRenderer artwork(LetterArtwork(quantity));
    letters.at(quantity)->setPixmap(QPixmap::fromImage(InkedArtwork(
        artwork, QSizeF(kPictureSide, kPictureSide), devicePixelRatioF(), DesktopInk(desktop))));
  }
  // The name field's style sheet takes the button face from the palette when it is applied.
  Edit5->setStyleSheet(Edit5->styleSheet());
}

void TNewVarDlg::SetTabOrder() {
  setTabOrder(Edit5, Edit1);
  setTabOrder(Edit1, Edit2);
  setTabOrder(Edit2, Edit3);
  setTabOrder(Edit3, Edit4);
  setTabOrder(Edit4, Button1);
}

void TNewVarDlg::Execute(const TPowerVector& powers) {
  logic_.PreFill(powers);
  Edit5->setFocus();
  // Each opening starts afresh: the hint left from the last opening belongs to a control the
  // pointer has long left. Once the dialog shows, the control under the pointer, if any, speaks.
  StatusBar1->clearMessage();
  PlaceForShowing();
  exec();
}

void TNewVarDlg::PlaceForShowing() {
  if (closedAt_) {
    move(*closedAt_);
    return;
  }
  const QScreen* screen =
      parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return;
  }
  const QRect area = screen->availableGeometry();
  move(area.center() - QPoint(width() / 2, height() / 2));
}

void TNewVarDlg::done(int closeResult) {
  FormClose();
  closedAt_ = pos();
  QDialog::done(closeResult);
}

void TNewVarDlg::reject() {}

void TNewVarDlg::closeEvent(QCloseEvent* event) {
  if (isVisible()) {
    done(kCloseBoxResult);
  }
  event->accept();
}

void TNewVarDlg::ClickWithCloseResult(int closeResult) {
  // As in a classic modal loop: the button's close result is set first, so the dialog closes
  // after the save however the save ended, an error shown included.
  setResult(closeResult);
  OKBtnClick();
  if (result() != 0) {
    done(result());
  }
}

void TNewVarDlg::OKBtnClick() {
  RunHandler([this] {
    const TSaveOutcome outcome = logic_.Save();
    if (outcome != TSaveOutcome::NotSaved) {
      announcer_->Announce(
          UnitSavedSentence(FieldText(TNewVarField::Name), outcome == TSaveOutcome::Replaced));
    }
  });
}

void TNewVarDlg::FormClose() { DataFile.Flush(); }

void TNewVarDlg::ShowHint(const QString& hint) { StatusBar1->showMessage(hint); }

QLineEdit* TNewVarDlg::FieldEdit(TNewVarField field) const {
  switch (field) {
    case TNewVarField::Mass:
      return Edit1;
    case TNewVarField::Length:
      return Edit2;
    case TNewVarField::Temperature:
      return Edit3;
    case TNewVarField::Time:
      return Edit4;
    case TNewVarField::Name:
      break;
  }
  return Edit5;
}

std::string TNewVarDlg::FieldText(TNewVarField field) const {
  return FieldEdit(field)->text().toStdString();
}

void TNewVarDlg::SetFieldText(TNewVarField field, const std::string& text) {
  FieldEdit(field)->setText(QString::fromStdString(text));
}

int TNewVarDlg::ShowMessage(MessageId text, MessageId caption, int flags) {
  return ShowMessageBox(this, TranslatedMessage(text), TranslatedMessage(caption), flags);
}

}  // namespace calpero
