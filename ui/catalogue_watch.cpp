#include "ui/catalogue_watch.h"

#include <QFile>
#include <QFileInfo>

namespace calpero {
namespace {

constexpr int kSettleMilliseconds = 150;

}  // namespace

TCatalogueWatch::TCatalogueWatch(const UnitCatalogue& catalogue, QObject* parent)
    : QObject(parent), catalogue_(catalogue) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMilliseconds);
  connect(&settle_, &QTimer::timeout, this, &TCatalogueWatch::Check);
  connect(&watcher_, &QFileSystemWatcher::fileChanged, &settle_, qOverload<>(&QTimer::start));
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_, qOverload<>(&QTimer::start));
  Rewatch();
}

void TCatalogueWatch::Seen() {
  seen_ = catalogue_.Stamp();
  Rewatch();
}

void TCatalogueWatch::Check() {
  Rewatch();
  if (catalogue_.Stamp() != seen_) {
    emit Changed();
  }
}

void TCatalogueWatch::Rewatch() {
  const QFileInfo file(QFile::decodeName(catalogue_.Path().c_str()));
  const QStringList wanted = {file.absolutePath(), file.absoluteFilePath()};
  QStringList missing;
  for (const QString& path : wanted) {
    if (!watcher_.files().contains(path) && !watcher_.directories().contains(path)) {
      missing << path;
    }
  }
  // Paths that do not exist (yet) are refused quietly and tried again at the next check.
  if (!missing.isEmpty()) {
    watcher_.addPaths(missing);
  }
}

}  // namespace calpero
