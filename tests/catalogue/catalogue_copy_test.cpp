#include "catalogue/catalogue_copy.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/unit_catalogue.h"
#include "tests/catalogue/test_files.h"

namespace calpero::test {
namespace {

class CatalogueCopyTest : public ::testing::Test {
 protected:
  TempFolder folder_;
  std::string from_ = folder_.File("from.ini");
  std::string to_ = folder_.File("to.ini");
};

TEST_F(CatalogueCopyTest, CopiesEveryByteAndReplacesThePreviousCopy) {
  const std::string first = Fixture("crlf_line_ends.ini");
  const std::string second = Fixture("bom.ini") + std::string("\0\xFF", 2);
  WriteBytes(from_, first);
  ASSERT_TRUE(CopyCatalogueFile(from_, to_));
  EXPECT_EQ(ReadBytes(to_), first);
  WriteBytes(from_, second);
  ASSERT_TRUE(CopyCatalogueFile(from_, to_));
  EXPECT_EQ(ReadBytes(to_), second);
  EXPECT_EQ(EntriesBesideLocks(folder_), (Names{"from.ini", "to.ini"}));
}

TEST_F(CatalogueCopyTest, ANewCopyTakesTheSourceModeAndAReplacedOneKeepsItsOwn) {
  WriteBytes(from_, "[A]\n");
  ::chmod(from_.c_str(), 0604);
  ASSERT_TRUE(CopyCatalogueFile(from_, to_));
  EXPECT_EQ(PermissionBits(to_), 0604U);
  ::chmod(to_.c_str(), 0620);
  ASSERT_TRUE(CopyCatalogueFile(from_, to_));
  EXPECT_EQ(PermissionBits(to_), 0620U);
}

struct FailingCopy {
  const char* what;
  std::string from;
  std::string to;
};

TEST_F(CatalogueCopyTest, FailsLeavingTheTargetAsItWas) {
  const std::vector<FailingCopy> cases = {
      {"missing source", folder_.File("none.ini"), to_},
      {"source is a folder", folder_.File("sub"), to_},
      {"missing target folder", from_, folder_.File("Backup/data.ini")},
      {"target is a folder", from_, folder_.File("sub")},
      {"read-only target", from_, folder_.File("readonly.ini")},
  };
  WriteBytes(from_, "[New]\nMass=1\n");
  WriteBytes(to_, "[Old]\nMass=2\n");
  WriteBytes(folder_.File("readonly.ini"), "[Kept]\n");
  ::chmod(folder_.File("readonly.ini").c_str(), 0444);
  std::filesystem::create_directory(folder_.File("sub"));
  const Names entries = EntriesBesideLocks(folder_);
  for (const auto& c : cases) {
    EXPECT_FALSE(CopyCatalogueFile(c.from, c.to)) << c.what;
    EXPECT_EQ(EntriesBesideLocks(folder_), entries) << c.what;
  }
  EXPECT_EQ(ReadBytes(to_), "[Old]\nMass=2\n");
  EXPECT_EQ(ReadBytes(folder_.File("readonly.ini")), "[Kept]\n");
}

TEST_F(CatalogueCopyTest, BackUpAndRestoreCopyBetweenTheWorkingFolders) {
  const ScopedWorkingDirectory inFolder(folder_.Path());
  std::filesystem::create_directory("Data");
  EXPECT_FALSE(BackUpCatalogue()) << "no catalogue yet";
  UnitCatalogue catalogue;
  catalogue.WritePower("Kept", "Mass", 1);
  EXPECT_FALSE(BackUpCatalogue()) << "no Backup folder";
  EXPECT_FALSE(std::filesystem::exists("Backup"));

  std::filesystem::create_directory("Backup");
  EXPECT_FALSE(RestoreCatalogue()) << "no backup yet";
  EXPECT_EQ(catalogue.ListUnits(), Names{"Kept"});
  ASSERT_TRUE(BackUpCatalogue());
  catalogue.EraseUnit("Kept");
  catalogue.WritePower("Later", "Mass", 2);
  ASSERT_TRUE(RestoreCatalogue());
  EXPECT_EQ(catalogue.ListUnits(), Names{"Kept"});
  EXPECT_EQ(ReadBytes("Backup/data.ini"), ReadBytes("Data/data.ini"));
}

}  // namespace
}  // namespace calpero::test
