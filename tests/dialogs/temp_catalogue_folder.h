#pragma once

#include <filesystem>
#include <string>

namespace calpero::testing {

// A fresh folder under the system's temporary directory with an empty "Data" folder in it,
// removed with everything in it at the end. No catalogue file exists at first.
class TempCatalogueFolder {
 public:
  TempCatalogueFolder();
  ~TempCatalogueFolder();
  TempCatalogueFolder(const TempCatalogueFolder&) = delete;
  TempCatalogueFolder& operator=(const TempCatalogueFolder&) = delete;

  std::string CataloguePath() const { return (root_ / "Data" / "data.ini").string(); }
  void WriteCatalogue(const std::string& bytes) const;
  // Empty when the file does not exist.
  std::string CatalogueBytes() const;

 private:
  std::filesystem::path root_;
};

}  // namespace calpero::testing
