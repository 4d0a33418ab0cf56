#pragma once

#include <functional>
#include <optional>

#include <QObject>
#include <QPoint>
#include <QString>

class QSinglePointEvent;
class QWidget;

namespace calpero {

// Follows the pointer over a window and reports the status text of the control under it
// (StatusTextFor): disabled controls included, since it looks the control up by position rather
// than waiting for the control's own events. Positions come from the events themselves, in the
// receiving widget's coordinates mapped into the window's, never through the desktop's
// coordinates, which are off wherever the toolkit does not know where a frame put the window.
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
  std::optional<QPoint> InWindow(const QObject* watched, const QSinglePointEvent& event);

  QWidget* window_;
  std::function<void(const QString&)> show_;
  // Where the application last saw the pointer, in the window's coordinates; none before its
  // first mouse event, or when it was last seen over another window before the window's own.
  std::optional<QPoint> pointer_;
  // Where the window's origin lies on the screen, as its own last pointer event showed (the
  // event's screen position less its position in the window): it places the pointer seen over
  // another of the application's windows, such as a menu, relative to this one.
  std::optional<QPoint> origin_;
};

}  // namespace calpero
