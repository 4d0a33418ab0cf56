#pragma once

#include <functional>
#include <optional>

#include <QObject>
#include <QPoint>
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
  // `show` with the text whenever the pointer moves there, and again whenever the event loop
  // falls idle while the pointer rests over the window, so that the text is right as soon as a
  // menu or a window that covered it has gone. Installs itself on the application.
  TStatusHintTracker(QWidget* window, std::function<void(const QString&)> show);
  ~TStatusHintTracker() override;

  // The status text of the control under the pointer where the application last saw it; empty
  // before the pointer's first event or outside the window.
  QString HintUnderPointer() const;
  TStatusHintTracker(const TStatusHintTracker&) = delete;
  TStatusHintTracker& operator=(const TStatusHintTracker&) = delete;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FollowRestingPointer();

  QWidget* window_;
  std::function<void(const QString&)> show_;
  // Where the application last saw the pointer, on the screen; none before its first mouse event.
  std::optional<QPoint> pointer_;
};

}  // namespace calpero
