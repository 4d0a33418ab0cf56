#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace calpero {

// The unit list's order: names compare byte by byte with ASCII letters folded to lower case (so
// "_" sorts before the letters); names that are equal so folded compare by their stored bytes,
// which makes the order total and the same on every run ("ABC" before "Abc" before "abc").
bool UnitNameLess(std::string_view left, std::string_view right);

// The names in the unit list's order (UnitNameLess). Duplicates are kept.
std::vector<std::string> SortedUnitNames(std::vector<std::string> names);

// What a reload does to the sorted names: nothing, one name taken out of or put in at `Row`, or
// a new sort of them all.
struct TOrderChange {
  enum class TKind { None, Removed, Inserted, Sorted };
  TKind Kind = TKind::None;
  std::size_t Row = 0;
};

// The catalogue's names in the unit list's order, kept from one reload to the next. A reload
// mostly follows a change of one unit: an erase takes a name out, a save of a new unit adds one.
// When the names in file order are the last ones with one name taken out or put in, the order is
// mended where that name sorts, in one pass over the names; any other change sorts them again.
class TUnitListOrder {
 public:
  // What Update would do with `fileOrder`, without doing it: a list shows the change with it
  // before the names change.
  TOrderChange Change(const std::vector<std::string>& fileOrder) const;

  // Takes the catalogue's names in file order, duplicates included.
  void Update(std::vector<std::string> fileOrder);

  // The names of the last Update in the unit list's order (what SortedUnitNames gives).
  const std::vector<std::string>& Sorted() const { return sorted_; }

  // The name, other than the one of `row` of Sorted, that shadows it: the catalogue reads the
  // first section of a name (SameIniName) in file order, so a later section of the same name,
  // letter case aside, is never read, and everything done through it acts on the first. Empty
  // when the row's name is the one read. Equal names stand side by side in the list, and of
  // byte-identical ones the first in the list counts as the one read. Looks through the names in
  // file order only when the row has a neighbour of the same name.
  std::string_view ShadowedBy(std::size_t row) const;

 private:
  std::vector<std::string> fileOrder_;
  std::vector<std::string> sorted_;
};

}  // namespace calpero
