#pragma once

#include "ui/panel.h"

namespace calpero {

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

}  // namespace calpero
