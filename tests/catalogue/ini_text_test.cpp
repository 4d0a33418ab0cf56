#include "catalogue/ini_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/text_bytes.h"

namespace calpero {
namespace {

struct Classified {
  const char* line;
  IniLineKind kind;
  const char* name;
  const char* value;
};

TEST(IniScanner, ClassifiesEachKindOfLineAndTrimsItsNames) {
  using enum IniLineKind;
  const std::vector<Classified> cases = {
      {"[Unit]", kHeader, "Unit", ""},
      {" \t[ Unit ]\t ", kHeader, "Unit", ""},
      {"[a]b]", kHeader, "a]b", ""},
      {"[Unit] trailing words", kHeader, "Unit", ""},
      {"[]", kHeader, "", ""},
      {"[Unit", kOther, "", ""},
      {"[Unit=1", kEntry, "[Unit", "1"},
      {"Mass=1", kEntry, "Mass", "1"},
      {"  Mass \t=\t 1 ", kEntry, "Mass", "1"},
      {"Mass=\"1\"", kEntry, "Mass", "1"},
      {"Mass=' 1 '", kEntry, "Mass", " 1 "},
      {"Mass=\"1'", kEntry, "Mass", "\"1'"},
      {"Mass=\"", kEntry, "Mass", "\""},
      {"Mass=\"\"", kEntry, "Mass", ""},
      {"Mass=1 ; not a comment", kEntry, "Mass", "1 ; not a comment"},
      {"a=b=c", kEntry, "a", "b=c"},
      {"=1", kEntry, "", "1"},
      {"Mass=", kEntry, "Mass", ""},
      {";Mass=1", kComment, "", ""},
      {" \t; [Unit]", kComment, "", ""},
      {"Mass", kOther, "", ""},
      {"", kOther, "", ""},
      {" \t ", kOther, "", ""},
  };
  for (const Classified& c : cases) {
    const std::string text = c.line;
    IniScanner scanner(text);
    IniLine line;
    ASSERT_EQ(scanner.Next(line), !text.empty()) << "'" << text << "'";
    if (text.empty()) {
      continue;
    }
    EXPECT_EQ(line.kind, c.kind) << "'" << text << "'";
    EXPECT_EQ(line.name, c.name) << "'" << text << "'";
    EXPECT_EQ(line.value, c.value) << "'" << text << "'";
    EXPECT_FALSE(scanner.Next(line));
  }
}

TEST(IniScanner, SplitsLinesAtLfCrlfAndCrAndKeepsEachLineEnd) {
  const std::string text = "\xEF\xBB\xBF[A]\r\nMass=1\rTime=2\n\n\rlast";
  IniScanner scanner(text);
  std::vector<std::string> contents;
  std::vector<std::string> lineEnds;
  IniLine line;
  while (scanner.Next(line)) {
    contents.push_back(text.substr(line.begin, line.end - line.begin));
    lineEnds.push_back(text.substr(line.end, line.next - line.end));
  }
  EXPECT_EQ(scanner.Start(), 3U);
  EXPECT_EQ(contents, (std::vector<std::string>{"[A]", "Mass=1", "Time=2", "", "", "last"}));
  EXPECT_EQ(lineEnds, (std::vector<std::string>{"\r\n", "\r", "\n", "\n", "\r", ""}));
}

struct NamePair {
  const char* a;
  const char* b;
  bool same;
};

TEST(SameIniName, FoldsAsciiLettersOnly) {
  const std::vector<NamePair> cases = {
      {"Mass", "MASS", true},   {"mass", "mass", true},   {"", "", true},
      {"Mass", "Mass ", false}, {"Mass", "Masss", false}, {"[", "{", false},
      {"@", "`", false},        {"\xE9", "\xC9", false},  {"\xC3\xA9", "\xC3\x89", false},
      {"\xB5m", "\xB5M", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SameIniName(c.a, c.b), c.same) << c.a << " / " << c.b;
  }
}

TEST(LineEndStyle, IsTheFirstLineEndOfTheText) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"", "\n"},           {"[A]", "\n"},   {"[A]\nx\r\n", "\n"}, {"[A]\r\nx\n", "\r\n"},
      {"[A]\rx\r\n", "\r"}, {"[A]\r", "\r"},
  };
  for (const auto& [text, style] : cases) {
    EXPECT_EQ(LineEndStyle(text), style) << text;
  }
}

}  // namespace
}  // namespace calpero
