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
      {"[Unit]", Header, "Unit", ""},
      {" \t[ Unit ]\t ", Header, "Unit", ""},
      {"[a]b]", Header, "a]b", ""},
      {"[Unit] trailing words", Header, "Unit", ""},
      {"[]", Header, "", ""},
      {"[Unit", Other, "", ""},
      {"[Unit=1", Entry, "[Unit", "1"},
      {"Mass=1", Entry, "Mass", "1"},
      {"  Mass \t=\t 1 ", Entry, "Mass", "1"},
      {"Mass=\"1\"", Entry, "Mass", "1"},
      {"Mass=' 1 '", Entry, "Mass", " 1 "},
      {"Mass=\"1'", Entry, "Mass", "\"1'"},
      {"Mass=\"", Entry, "Mass", "\""},
      {"Mass=\"\"", Entry, "Mass", ""},
      {"Mass=1 ; not a comment", Entry, "Mass", "1 ; not a comment"},
      {"a=b=c", Entry, "a", "b=c"},
      {"=1", Entry, "", "1"},
      {"Mass=", Entry, "Mass", ""},
      {";Mass=1", Comment, "", ""},
      {" \t; [Unit]", Comment, "", ""},
      {"Mass", Other, "", ""},
      {"", Other, "", ""},
      {" \t ", Other, "", ""},
  };
  for (const Classified& c : cases) {
    const std::string text = c.line;
    IniScanner scanner(text);
    IniLine line;
    ASSERT_EQ(scanner.Next(line), !text.empty()) << "'" << text << "'";
    if (text.empty()) {
      continue;
    }
    EXPECT_EQ(line.Kind, c.kind) << "'" << text << "'";
    EXPECT_EQ(line.Name, c.name) << "'" << text << "'";
    EXPECT_EQ(line.Value, c.value) << "'" << text << "'";
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
    contents.push_back(text.substr(line.Begin, line.End - line.Begin));
    lineEnds.push_back(text.substr(line.End, line.Next - line.End));
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
