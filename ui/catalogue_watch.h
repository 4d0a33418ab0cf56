#pragma once

#include <optional>

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include "catalogue/unit_catalogue.h"

namespace calpero {

// Tells when the catalogue file is no longer the one the window last listed: another program
// saved or erased a unit, or restored a copy. It compares the file's stamp (FileStamp, asked of
// the catalogue) with the one seen at the window's last reading, when the file system reports a
// change to the file or its folder (the file is replaced by a rename, which a watch on the file
// alone would not survive) and whenever Check is called, as on the window's activation, which is
// what a file system without change reports (NFS) leaves.
class TCatalogueWatch : public QObject {
  Q_OBJECT

 public:
  // Watches the file of `catalogue`, which must outlive this object.
  TCatalogueWatch(const UnitCatalogue& catalogue, QObject* parent);

  // The file as it is now is the one that the window shows: called before each reading for the
  // list, so that the window's own changes report nothing and a change during the reading is
  // reported afterwards.
  void Seen();

  // Reports Changed when the file's stamp differs from the one seen last.
  void Check();

 signals:
  void Changed();

 private:
  // Watches the file and its folder again where they (re)appeared.
  void Rewatch();

  const UnitCatalogue& catalogue_;
  std::optional<FileStamp> seen_;
  QFileSystemWatcher watcher_;
  // A save is a burst of notices (the temporary file, the rename, the lock): one check after the
  // burst.
  QTimer settle_;
};

}  // namespace calpero
