#include "ui/calpero_application.h"

#include <QPlatformSurfaceEvent>
#include <QWindow>

#include "ui/desktop_settings.h"
#include "ui/message_boxes.h"
#include "ui/translations.h"
#include "ui/wayland_desktop.h"

namespace calpero {

TCalperoApplication::TCalperoApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // The name, not a display name: a display name would be appended to every window's caption.
  setApplicationName(QStringLiteral("Calpero"));
  InstallFontSubstitutions();
  InstallTranslations(QLocale::system());
  ApplySystemDecimalSeparator();
}

bool TCalperoApplication::notify(QObject* receiver, QEvent* event) {
  if (event->type() == QEvent::PlatformSurface &&
      static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
          QPlatformSurfaceEvent::SurfaceCreated) {
    if (auto* window = qobject_cast<QWindow*>(receiver)) {
      RefuseMaximiseOnWayland(window);
    }
  }
  bool handled = false;
  RunHandler([&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

bool TCalperoApplication::event(QEvent* event) {
  if (event->type() == QEvent::LocaleChange) {
    ApplySystemDecimalSeparator();
  }
  return QApplication::event(event);
}

}  // namespace calpero
