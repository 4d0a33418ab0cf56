#include "ui/announcer.h"

#include <utility>

#include <QAccessible>
#include <QAccessibleWidget>

namespace calpero {
namespace {

// The announcer as screen readers see it: a notification, named by its sentence.
class TAnnouncerAccessible : public QAccessibleWidget {
 public:
  explicit TAnnouncerAccessible(QWidget* announcer)
      : QAccessibleWidget(announcer, QAccessible::Notification) {}
};

QAccessibleInterface* AnnouncerFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(TAnnouncer::staticMetaObject.className())) {
    return new TAnnouncerAccessible(static_cast<QWidget*>(object));
  }
  return nullptr;
}

void InstallFactoryOnce() {
  static const bool installed = [] {
    QAccessible::installFactory(AnnouncerFactory);
    return true;
  }();
  static_cast<void>(installed);
}

}  // namespace

TAnnouncer::TAnnouncer(QWidget* window) : QWidget(window) {
  InstallFactoryOnce();
  setObjectName(QStringLiteral("Announcer"));
  setGeometry(0, 0, 0, 0);
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  // Hidden for good, so that a screen reader reading out the window's contents (as Orca does for
  // a dialog that opens) passes over it; the showing that a sentence reports needs no showing.
  hide();
  delivery_.setSingleShot(true);
  delivery_.setInterval(0);
  connect(&delivery_, &QTimer::timeout, this, &TAnnouncer::Deliver);
}

void TAnnouncer::Announce(const QString& sentence) {
  if (sentence.isEmpty()) {
    return;
  }
  pending_ = sentence;
  delivery_.start();
}

void TAnnouncer::Deliver() {
  // The name first, which tells screen readers that cache names the new one; then the showing,
  // which a screen reader presents with that name. The same sentence twice is told twice.
  const QString sentence = std::exchange(pending_, QString());
  setAccessibleName(sentence);
  QAccessibleEvent shown(this, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
  emit Told(sentence);
}

}  // namespace calpero
