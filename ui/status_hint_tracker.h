#pragma once

#include <functional>

#include <QObject>
#include <QString>

class QWidget;

namespace calpero {

// Follows the pointer over a window and reports the status text of the control under it
// (StatusTextFor): disabled controls included, since it looks the control up by position rather
// than waiting for the control's own events.
class TStatusHintTracker : public QObject {
  Q_OBJECT

 public:
  // Follows the pointer in `window` (a top-level widget that must outlive the tracker) and calls
  // `show` with the text whenever the pointer moves there. Installs itself on the application.
  TStatusHintTracker(QWidget* window, std::function<void(const QString&)> show);
  ~TStatusHintTracker() override;
  TStatusHintTracker(const TStatusHintTracker&) = delete;
  TStatusHintTracker& operator=(const TStatusHintTracker&) = delete;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  std::function<void(const QString&)> show_;
};

}  // namespace calpero
