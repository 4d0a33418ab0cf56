#include "window/help_page.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace calpero {
namespace {

namespace fs = std::filesystem;

TEST(HelpPagePath, PutsTheHelpFolderBesideTheProgram) {
  EXPECT_EQ(HelpPagePath("/opt/calpero/bin"), "/opt/calpero/bin/Help/index.htm");
  EXPECT_EQ(HelpPagePath("/opt/calpero/bin/"), "/opt/calpero/bin/Help/index.htm");
  EXPECT_EQ(HelpPagePath("/"), "/Help/index.htm");
  EXPECT_EQ(HelpPagePath("folder with blanks"), "folder with blanks/Help/index.htm");
}

// A private folder for the file-system cases, removed at the end.
class HelpPagePresence : public ::testing::Test {
 protected:
  std::string MakeFile(const std::string& name) {
    const fs::path path = folder_.Path() / name;
    std::ofstream(path) << "<html></html>";
    return path.string();
  }

  test::TempFolder folder_;
};

TEST_F(HelpPagePresence, OpensThePageInTheWindowsLanguageWhenThereIsOneElseTheEnglishOne) {
  fs::create_directories(folder_.Path() / "Help/de");
  fs::create_directories(folder_.Path() / "Help/fr/index.htm");  // a folder, not a page
  MakeFile("Help/index.htm");
  MakeFile("Help/de/index.htm");
  const std::string dir = folder_.Path().string();
  EXPECT_EQ(HelpPagePath(dir, "de"), dir + "/Help/de/index.htm");
  EXPECT_EQ(HelpPagePath(dir + "/", "de"), dir + "/Help/de/index.htm");
  EXPECT_EQ(HelpPagePath(dir, "fr"), dir + "/Help/index.htm");
  EXPECT_EQ(HelpPagePath(dir, "nl"), dir + "/Help/index.htm");
  EXPECT_EQ(HelpPagePath(dir, ""), dir + "/Help/index.htm");
}

TEST_F(HelpPagePresence, FindsARegularFile) { EXPECT_TRUE(IsHelpPagePresent(MakeFile("a.htm"))); }

TEST_F(HelpPagePresence, RefusesAMissingFile) {
  EXPECT_FALSE(IsHelpPagePresent((folder_.Path() / "missing.htm").string()));
}

TEST_F(HelpPagePresence, RefusesAFolder) {
  fs::create_directories(folder_.Path() / "index.htm");
  EXPECT_FALSE(IsHelpPagePresent((folder_.Path() / "index.htm").string()));
}

TEST_F(HelpPagePresence, FollowsASymbolicLinkToItsTarget) {
  const std::string target = MakeFile("target.htm");
  fs::create_symlink(target, folder_.Path() / "link.htm");
  fs::create_symlink(folder_.Path() / "gone.htm", folder_.Path() / "dangling.htm");
  EXPECT_TRUE(IsHelpPagePresent((folder_.Path() / "link.htm").string()));
  EXPECT_FALSE(IsHelpPagePresent((folder_.Path() / "dangling.htm").string()));
}

struct AssociationCase {
  const char* name;
  THtmlAssociation association;
  bool expected;
};

void PrintTo(const AssociationCase& c, std::ostream* out) { *out << c.name; }

const auto kAssociations = std::to_array<AssociationCase>({
    {"a_desktop_default_is_enough", {true, "firefox-esr.desktop\n", ""}, true},
    {"the_browser_variable_is_enough", {true, "", "w3m"}, true},
    {"both_are_fine", {true, "chromium.desktop\n", "lynx"}, true},
    {"neither_means_nothing_is_associated", {true, "", ""}, false},
    {"blank_output_and_a_blank_variable_count_as_nothing", {true, " \n", "  "}, false},
    {"without_xdg_mime_nothing_can_open_the_page", {false, "firefox.desktop", "w3m"}, false},
});

class HtmlAssociationTable : public ::testing::TestWithParam<AssociationCase> {};

TEST_P(HtmlAssociationTable, DecidesWhetherAPageCanBeOpened) {
  EXPECT_EQ(HasHtmlAssociation(GetParam().association), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, HtmlAssociationTable, ::testing::ValuesIn(kAssociations),
                         [](const auto& info) { return std::string(info.param.name); });

// Records what the help command asks of the desktop.
class RecordingShell : public THelpShell {
 public:
  explicit RecordingShell(bool found) : found_(found) {}
  bool FindBrowser(const std::string& page) override {
    lookedUp.push_back(page);
    return found_;
  }
  void Launch(const std::string& page) override { launched.push_back(page); }

  std::vector<std::string> lookedUp;
  std::vector<std::string> launched;

 private:
  bool found_;
};

TEST(OpenHelpPage, LaunchesThePageWhenABrowserIsFound) {
  RecordingShell shell(true);
  EXPECT_EQ(OpenHelpPage(shell, "/p/Help/index.htm"), THelpOutcome::Launched);
  EXPECT_EQ(shell.lookedUp, std::vector<std::string>{"/p/Help/index.htm"});
  EXPECT_EQ(shell.launched, std::vector<std::string>{"/p/Help/index.htm"});
}

TEST(OpenHelpPage, LaunchesNothingWhenTheLookUpFails) {
  RecordingShell shell(false);
  EXPECT_EQ(OpenHelpPage(shell, "/p/Help/index.htm"), THelpOutcome::BrowserNotFound);
  EXPECT_EQ(shell.lookedUp.size(), 1U);
  EXPECT_TRUE(shell.launched.empty());
}

}  // namespace
}  // namespace calpero
