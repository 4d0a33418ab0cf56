#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/catalogue_change.h"
#include "catalogue/catalogue_reading.h"
#include "catalogue/power_source.h"
#include "storage/whole_file.h"

namespace calpero {

// A handle on the unit catalogue file: it holds the path and, to spare a second walk over a file
// that has not changed, its last reading (see ReadText). Every operation goes to the file, so two
// handles on the same path see each other's writes at once. The path is used as
// given (a relative path resolves against the working directory at the time of each operation)
// and appears in the write error's message as given, or as the shown path when one is given.
class UnitCatalogue : public PowerSource {
 public:
  // The catalogue's standard place, relative to the working directory.
  static constexpr std::string_view kDefaultPath = "./Data/data.ini";

  // Does not touch the file and cannot fail.
  explicit UnitCatalogue(std::string path = std::string(kDefaultPath));
  // The catalogue at `path`, named `shownPath` in messages: for a path resolved against a folder
  // that the user named apart, so that messages name the file as the user knows it.
  UnitCatalogue(std::string path, std::string shownPath);
  ~UnitCatalogue() override;  // flushes
  UnitCatalogue(const UnitCatalogue&) = delete;
  UnitCatalogue& operator=(const UnitCatalogue&) = delete;

  const std::string& Path() const { return path_; }

  // The stamp of the file that the path leads to now (StampOf), without reading it: what tells
  // that another program changed it. Nothing when there is no file or it cannot be looked at.
  std::optional<FileStamp> Stamp() const { return StampOf(path_); }

  // Every section (unit) name of the file in file order, each in its stored bytes and letter case,
  // duplicates included. Empty when the file or its folder is missing or unreadable. No limit.
  std::vector<std::string> ListUnits() const;

  // The power stored under `key` in the unit's section (first section of that name, compared
  // without regard to letter case; first entry of that key). 0 when the file, the section or the
  // key is missing, the file is unreadable, or the text is refused by ParsePower.
  // Throws EOverflow for a stored number beyond double range.
  double ReadPower(std::string_view unitName, std::string_view key) const override;

  // Stores FormatStoredPower(value) under `key` in the unit's section, creating the file, the
  // section (appended at the end, under `unitName` as given) or the entry (at the end of its
  // section) as needed; every other line stays byte-identical. The file is replaced crash-safely
  // by ChangeWholeFile, under its WriteLock from the reading on, so a change made by another
  // program at the same time is never undone, and a file that appeared or was replaced meanwhile
  // is read again rather than overwritten. Throws EInvalidUnitName when a new section is needed
  // and `unitName` cannot be stored so that it reads back the same; EIniFileException (naming
  // the path, with the reason) when the file cannot be written (or exists but cannot be read,
  // so that its contents would be lost), or another program held the lock for longer than
  // the writer waits. Either way the file is left byte-identical. A key that cannot be stored as
  // one (blank-edged, holding "=" or a line break, starting with "[" or ";") is a caller's mistake:
  // std::invalid_argument.
  void WritePower(std::string_view unitName, std::string_view key, double value);

  // What a write does when the catalogue already holds the unit (a section with an entry).
  enum class ExistingUnit { Replace, Keep };

  // Stores several keys of one unit in a single replacement of the file, so that either all of
  // them or none are written; a key given twice takes its later value. No entries, no change.
  // With `existing` Keep, a unit that the file holds when it is read under the lock is left as it
  // is and nothing is written: the answer to "is it new?" is the file's at the moment of writing.
  // Returns whether it wrote (always, with Replace). Same rules and errors as WritePower.
  bool WritePowers(std::string_view unitName,
                   std::span<const std::pair<std::string_view, double>> entries,
                   ExistingUnit existing = ExistingUnit::Replace);

  // Puts the first section of each of `unitNames` in `source` (another catalogue's text, such as
  // the backup's) into this catalogue, byte for byte as `source` stores it (header, entries and
  // the lines between them), in one replacement of the file under its WriteLock: a unit that the
  // file holds (a section with entries) is replaced in place with Replace and kept with Keep; a
  // unit that it lacks goes at the end (an empty section of that name is replaced). Every other
  // byte stays. A name given twice counts once; a name that `source` lacks is the caller's to
  // refuse beforehand and is passed over. Returns the names kept, in the order given. Errors as
  // WritePowers.
  std::vector<std::string> CopySections(std::string_view source,
                                        std::span<const std::string> unitNames,
                                        ExistingUnit existing);

  // Yes when the file holds the unit's section with at least one entry (any key).
  bool UnitExists(std::string_view unitName) const;

  // Removes the unit's first section of that name: its header and every line up to the next
  // section (its entries, and comment or blank lines among them). Returns whether the file, read
  // under the lock, held such a section; nothing happens when it had none or there is no file.
  // Holds the WriteLock as WritePower does. Throws EIniFileException when the file cannot be read
  // (with the reason of the read) or written or the lock is not had, leaving it byte-identical.
  bool EraseUnit(std::string_view unitName);

  // Writes are on disk when they return, so there is nothing to do; never fails.
  void Flush() const;

  // Told of every change that this handle writes from now on (a save, an erase), as a record that
  // can take it back (see catalogue_change.h), once the change is on disk. An empty function
  // stops it. Without one, no record is made.
  void ObserveChanges(std::function<void(const SectionChange&)> observer) {
    observer_ = std::move(observer);
  }

  // One reading of the file that answers ReadPower for `unitNames` (and 0 for any other name)
  // exactly as this handle would, without reading the file again. What an evaluation uses.
  // Reads nothing when `unitNames` is empty.
  CatalogueReading ReadUnits(std::span<const std::string> unitNames) const;

  // The file's text as it is now (empty when the file or its folder is missing or unreadable),
  // its sections' headers walked when first asked for. The file is read on every call (within a
  // OneAction, see there, only on the first); only when its bytes are exactly those of this
  // handle's last reading is that reading, with any headers it found, returned again instead of
  // walking the text anew. So the list, an evaluation and the search for units with given powers
  // that one user action makes look through the file once, and a change by anyone is still seen
  // at once. Never throws beyond allocation failure. Since it keeps that reading, a handle is not
  // for use from several threads at once.
  std::shared_ptr<const CatalogueText> ReadText() const;

  // One user action on the handle (a drop on the work area, an erase with the list's reload and
  // the evaluation that follows), for as long as the object lives. The action's first ReadText
  // reads the file and compares its bytes as always; after that, or after the action's own erase,
  // ReadText gives the same reading without reading the file again while the name still leads to
  // the same file unchanged by its stamp (FileStamp). So what one action shows comes from one
  // reading, and a replacement by another program in the middle of it is still seen; a rewrite in
  // place that the stamp cannot tell is seen by the next action, which compares the bytes again.
  // Actions may nest; the outermost one's end ends the sharing.
  class OneAction {
   public:
    explicit OneAction(const UnitCatalogue& catalogue);
    ~OneAction();
    OneAction(const OneAction&) = delete;
    OneAction& operator=(const OneAction&) = delete;

   private:
    const UnitCatalogue& catalogue_;
  };

 private:
  std::string path_;
  std::string shownPath_;
  std::function<void(const SectionChange&)> observer_;
  // The last reading; a cache checked against the file's bytes on every use (see ReadText).
  mutable std::shared_ptr<const CatalogueText> lastText_;
  // How many OneAction objects are open, and the stamp of the file that lastText_ was read from
  // (or written as) within them.
  mutable int actions_ = 0;
  mutable std::optional<FileStamp> actionStamp_;
};

}  // namespace calpero
