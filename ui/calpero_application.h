#pragma once

#include <QApplication>

#include "ui/cursor_guard.h"

namespace calpero {

// The application object: it is named "Calpero" (the caption of the default error boxes), maps
// the layout's fonts, speaks the desktop's language (InstallTranslations) and takes the locale's
// decimal symbol before any window exists, takes the symbol again whenever the locale changes,
// and shows any error that escapes an event's handling
// with the default error presentation instead of letting it unwind through the event loop. While
// a change of the catalogue waits for another program's, it shows the hourglass. It keeps the
// large blocks that a big catalogue's actions take in the heap, so that each action does not pay
// for fresh memory from the system. On native Wayland, no window that keeps a fixed size can be
// maximised (RefuseMaximiseOnWayland).
class TCalperoApplication : public QApplication {
  Q_OBJECT

 public:
  TCalperoApplication(int& argc, char** argv);

  // Delivers `event` as QApplication does; an error escaping the delivery is shown and the event
  // counts as not handled.
  bool notify(QObject* receiver, QEvent* event) override;

 protected:
  bool event(QEvent* event) override;

 private:
  TLockWaitCursor lockWaitCursor_;
};

}  // namespace calpero
