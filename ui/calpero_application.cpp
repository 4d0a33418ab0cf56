#include "ui/calpero_application.h"

#include <malloc.h>

#include "ui/desktop_settings.h"
#include "ui/message_boxes.h"
#include "ui/translations.h"

namespace calpero {
namespace {

// Each action on a catalogue of many thousand units takes blocks of megabytes (the file's text,
// its headers, the list's names) and frees them again. By default the C library gives blocks
// that large back to the system as soon as they are freed, and whether the top of its heap is
// given back too depends on the order of earlier frees; the next action then pays for fresh pages,
// which the system must zero, and the same Delete takes half as long again from one run to the
// next. Blocks up to 32 MB (the most the library takes) come from the heap, and up to 64 MB of
// free heap stays with the process. Where the library refuses, it keeps its own rules: slower,
// never wrong.
void KeepLargeBlocksInTheHeap() {
  constexpr int kLargestHeapBlock = 32 << 20;
  constexpr int kFreeHeapKept = 64 << 20;
  mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
  mallopt(M_TRIM_THRESHOLD, kFreeHeapKept);
}

}  // namespace

TCalperoApplication::TCalperoApplication(int& argc, char** argv) : QApplication(argc, argv) {
  KeepLargeBlocksInTheHeap();
  // The name, not a display name: a display name would be appended to every window's caption.
  setApplicationName(QStringLiteral("Calpero"));
  InstallFontSubstitutions();
  InstallTranslations(QLocale::system());
  ApplySystemDecimalSeparator();
}

bool TCalperoApplication::notify(QObject* receiver, QEvent* event) {
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
