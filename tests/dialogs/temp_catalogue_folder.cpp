#include "temp_catalogue_folder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace calpero::testing {

TempCatalogueFolder::TempCatalogueFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "calpero-dialog-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot make a temporary folder");
  }
  root_ = pattern;
  std::filesystem::create_directory(root_ / "Data");
}

TempCatalogueFolder::~TempCatalogueFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

void TempCatalogueFolder::WriteCatalogue(const std::string& bytes) const {
  std::ofstream(CataloguePath(), std::ios::binary | std::ios::trunc) << bytes;
}

std::string TempCatalogueFolder::CatalogueBytes() const {
  std::ifstream file(CataloguePath(), std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace calpero::testing
