#pragma once

#include <QColor>
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

}  // namespace calpero
