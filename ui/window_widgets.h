#pragma once

// The widgets that the program's windows are built of, beside the toolkit's own: panels with
// the layout's edges, the work areas, scalable pictures, the power labels and the toolbar gaps.

#include <optional>

#include <QColor>
#include <QLabel>
#include <QSvgRenderer>
#include <QTimer>
#include <QWidget>

namespace calpero {

// How a panel's edge is drawn: not at all, as one black line, or as a raised bevel around a
// lowered one (the work panel's look).
enum class TPanelFrame { None, SingleLine, RaisedOverLowered };

// A panel of the main window: an optional background colour and an edge. Its client area is the
// part inside the edge.
class TPanel : public QWidget {
  Q_OBJECT

 public:
  TPanel(TPanelFrame frame, QWidget* parent);

  // Fills the panel with `color` from now on.
  void SetColor(const QColor& color);

  // The panel's inside, in its own coordinates: the whole panel less the edge.
  QRect ClientRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int FrameWidth() const;

  TPanelFrame frame_;
};

// One of the two work areas: a black panel with a one-line edge whose inside (Client) holds the
// area's tokens. Token positions and drop points are relative to that inside, and the edge cuts
// off whatever lies beyond it. The tokens take the area's font and colour.
class TAreaPanel : public TPanel {
  Q_OBJECT

 public:
  // `font` and `textColor` are what the tokens are drawn in.
  TAreaPanel(const QFont& font, const QColor& textColor, QWidget* parent);

  // The widget that holds the tokens; it covers ClientRect.
  QWidget* Client() const { return client_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* client_;
};

// A picture of the main window, drawn from a scalable image and transparent around it: the image
// is scaled to fit the control, keeping its proportions, and centred. A missing image draws
// nothing.
class TPicture : public QWidget {
  Q_OBJECT

 public:
  TPicture(const QString& imagePath, QWidget* parent);

  // Whether the image could be read.
  bool HasImage() const { return renderer_.isValid(); }

  // Draws the image as a silhouette in `ink` from now on, for one-colour artwork (the letters)
  // that must follow the colour scheme.
  void SetInk(const QColor& ink);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QSvgRenderer renderer_;
  std::optional<QColor> ink_;
};

// A label of a power row: shows the power of one quantity (Mass, Length, Temperature or Time)
// and tells a screen reader both, as "Mass 1.00". The read-outs of a row stand closer together
// than they are wide (kRoom apart), so a value too wide for that room at the label's font is
// drawn in a smaller font, down to kLeastPixels, and beyond that shortened in the middle, keeping
// its sign, leading digits and exponent; its text stays the whole value, which its accessible
// name and its tooltip give. A value that fits is drawn as any label draws it.
class TPowerLabel : public QLabel {
  Q_OBJECT

 public:
  // The width that a read-out's text may take: the distance to the next read-out of its row.
  static constexpr int kRoom = 48;
  // The smallest font that a value is shrunk to before it is shortened.
  static constexpr int kLeastPixels = 8;

  // `quantity` is the name of the quantity whose power the label shows; it starts at "0.00".
  TPowerLabel(QString quantity, QWidget* parent);

  const QString& Quantity() const { return quantity_; }

  // When screen readers hear of a power shown: once the powers shown have rested for kSettleMs
  // (moving through the list tells them once, of the last unit's power), or at once (a single
  // act: a unit chosen from the find box).
  enum class TTold { Settled, AtOnce };

  // Shows `power` and tells screen readers of the new name `when` given.
  void ShowPower(const QString& power, TTold when = TTold::Settled);

  // Tells screen readers now of a power that waits for the powers shown to settle, if one does.
  void TellSettledNow();

  // What screen readers read: the quantity and the power shown now ("Mass 1.00").
  QString SpokenName() const;

  // Whether the text fits in kRoom at the label's own font.
  bool FitsAtItsSize() const;
  // The font and text that the label draws now.
  QFont ShownFont() const;
  QString ShownText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void TellName();

  QString quantity_;
  QTimer settled_;
};

// The gap between groups of toolbar buttons: an etched vertical line in the middle of its width.
class TToolSeparator : public QWidget {
  Q_OBJECT

 public:
  explicit TToolSeparator(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace calpero
