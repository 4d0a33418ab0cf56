#pragma once

#include <array>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QToolButton>

#include "ui/unit_list_box.h"
#include "ui/window_widgets.h"

namespace calpero {

// A row of power read-outs in the order of the quantities: Mass, Length, Temperature, Time.
using TPowerRow = std::array<TPowerLabel*, 4>;

// The main window's controls, made in their places: every one a child of the window (or of one
// of its panels), named as the window's code names it, with its caption, hint, font and colours.
// The window owns them; this holds the references. Positions are in pixels within the parent.
class TMainFormControls {
 public:
  // Builds every control inside `form`, whose client area is 658 by 364 pixels, in the desktop's
  // colours, which they follow when the desktop's palette changes.
  explicit TMainFormControls(QWidget* form);

  TPanel* WorkAreaPanel = nullptr;
  TAreaPanel* Numerator = nullptr;
  TAreaPanel* Denominator = nullptr;
  TPanel* Panel1 = nullptr;
  TPanel* ToolBarPanel = nullptr;
  QWidget* MainToolBar = nullptr;
  TToolSeparator* ToolButton1 = nullptr;
  QToolButton* BothToolButton = nullptr;
  TToolSeparator* ToolButton2 = nullptr;
  QToolButton* NToolButton = nullptr;
  QToolButton* DToolButton = nullptr;
  TToolSeparator* ToolButton7 = nullptr;
  QToolButton* NewVariableToolButton = nullptr;
  TToolSeparator* ToolButton8 = nullptr;
  QToolButton* BackFilesUpToolButton = nullptr;
  QToolButton* ClearWorkAreaToolButton = nullptr;
  QStatusBar* MainStatusBar = nullptr;
  QLineEdit* FindEdit = nullptr;
  QLabel* FindStaticText = nullptr;
  TUnitListBox* UnitsListBox = nullptr;
  TPowerLabel* MLabel = nullptr;
  TPowerLabel* TempLabel = nullptr;
  TPowerLabel* LLabel = nullptr;
  TPowerLabel* TimeLabel = nullptr;
  TPowerLabel* rMLabel = nullptr;
  TPowerLabel* rTempLabel = nullptr;
  TPowerLabel* rLLabel = nullptr;
  TPowerLabel* rTimeLabel = nullptr;
  QMenu* BackupPopupMenu = nullptr;
  QAction* RestoreMenuItem = nullptr;
  TPicture* Image9 = nullptr;
  QToolButton* ShowHelpToolButton = nullptr;
  QMenu* LabelPopupMenu = nullptr;
  QAction* Delete1 = nullptr;
  TPicture* Image10 = nullptr;
  TPicture* Image1 = nullptr;
  TPicture* Image2 = nullptr;
  TPicture* Image3 = nullptr;
  TPicture* Image4 = nullptr;
  TPicture* Image5 = nullptr;
  TPicture* Image6 = nullptr;
  TPicture* Image7 = nullptr;
  TPicture* TrashImage = nullptr;
  TPanel* TrashPanel = nullptr;
  QWidget* ToolBar1 = nullptr;
  QToolButton* AddToNrButton = nullptr;
  QWidget* ToolBar2 = nullptr;
  QToolButton* AddToDrButton = nullptr;
  // The read-outs of the unit-powers row (MLabel, LLabel, TempLabel, TimeLabel) and of the result
  // row (rMLabel, rLLabel, rTempLabel, rTimeLabel).
  TPowerRow UnitRow{};
  TPowerRow ResultRow{};

 private:
  void BuildFindAndList();
  void BuildPowerRows();
  void BuildWorkArea();
  void BuildMainToolBar();
  void BuildAddToolBars();
  void BuildMenus(QWidget* form);
  // Sets the colours that derive from the desktop's palette: the window's background in the
  // button face, the power labels and letters in the ink that reads on it, the dividing line.
  void ApplyDesktopColours(QWidget* form) const;
};

}  // namespace calpero
