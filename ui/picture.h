#pragma once

#include <optional>

#include <QColor>
#include <QSvgRenderer>
#include <QWidget>

namespace calpero {

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

}  // namespace calpero
