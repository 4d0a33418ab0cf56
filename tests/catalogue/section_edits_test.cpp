// The changes a SectionIndex makes: entries stored and sections erased, byte for byte.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "catalogue/errors.h"
#include "catalogue/section_index.h"

namespace calpero {
namespace {

const std::string kBom = "\xEF\xBB\xBF";

std::string Spliced(std::string_view text, const std::vector<TextSplice>& splices) {
  std::string out;
  for (const std::string_view piece : SectionIndex(text).Spliced(splices)) {
    out.append(piece);
  }
  return out;
}

std::string SetEntries(std::string_view text, std::string_view section,
                       const std::vector<IniEntryText>& entries) {
  return Spliced(text, SectionIndex(text).SetEntries(section, entries));
}

std::optional<std::string> Erased(std::string_view text, std::string_view section) {
  const std::optional<TextSplice> erase = SectionIndex(text).Erase(section);
  if (!erase) {
    return std::nullopt;
  }
  return Spliced(text, {*erase});
}

struct Edit {
  const char* what;
  std::string before;
  const char* section;
  std::vector<IniEntryText> entries;
  std::string after;
};

TEST(SectionIndexSetEntries, ChangesOnlyTheBytesOfTheEntriesItStores) {
  const std::vector<Edit> cases = {
      {"value replaced in place",
       "[A]\nMass=1\nTime=2\n",
       "A",
       {{"Mass", "5"}},
       "[A]\nMass=5\nTime=2\n"},
      {"key spelling and blanks kept",
       "[A]\n  mass =  \"1\" \n",
       "A",
       {{"Mass", "5"}},
       "[A]\n  mass =  5\n"},
      {"section found without regard to case",
       "[Unit]\nMass=1\n",
       "UNIT",
       {{"MASS", "5"}},
       "[Unit]\nMass=5\n"},
      {"new key after the last entry, before closing blank and comment lines",
       "[A]\nMass=1\n\n; next\n[B]\nMass=2\n",
       "A",
       {{"Time", "3"}},
       "[A]\nMass=1\nTime=3\n\n; next\n[B]\nMass=2\n"},
      {"new key right after a header without entries",
       "[A]\n; c\n[B]\n",
       "A",
       {{"Time", "3"}},
       "[A]\nTime=3\n; c\n[B]\n"},
      {"new section appended", "[A]\nMass=1\n", "B", {{"Mass", "2"}}, "[A]\nMass=1\n[B]\nMass=2\n"},
      {"new file", "", "B", {{"Mass", "2"}}, "[B]\nMass=2\n"},
      {"last line without line end, new section",
       "[A]\nMass=1",
       "B",
       {{"Mass", "2"}},
       "[A]\nMass=1\n[B]\nMass=2\n"},
      {"last line without line end, new key",
       "[A]\nMass=1",
       "A",
       {{"Time", "3"}},
       "[A]\nMass=1\nTime=3\n"},
      {"header without line end, new key", "[A]", "A", {{"Time", "3"}}, "[A]\nTime=3\n"},
      {"last line without line end, replaced", "[A]\nMass=1", "A", {{"Mass", "5"}}, "[A]\nMass=5"},
      {"CRLF kept",
       "[A]\r\nMass=1\r\n",
       "A",
       {{"Mass", "5"}, {"Time", "3"}},
       "[A]\r\nMass=5\r\nTime=3\r\n"},
      {"CRLF for a new section",
       "[A]\r\nMass=1",
       "B",
       {{"Mass", "2"}},
       "[A]\r\nMass=1\r\n[B]\r\nMass=2\r\n"},
      {"CR only", "[A]\rMass=1\r", "B", {{"Mass", "2"}}, "[A]\rMass=1\r[B]\rMass=2\r"},
      {"first line end sets the style",
       "[A]\r\nMass=1\n",
       "B",
       {{"Mass", "2"}},
       "[A]\r\nMass=1\n[B]\r\nMass=2\r\n"},
      {"byte order mark kept",
       kBom + "[A]\nMass=1\n",
       "B",
       {{"Mass", "2"}},
       kBom + "[A]\nMass=1\n[B]\nMass=2\n"},
      {"byte order mark alone", kBom, "B", {{"Mass", "2"}}, kBom + "[B]\nMass=2\n"},
      {"first of duplicate sections",
       "[A]\nMass=1\n[a]\nMass=2\n",
       "A",
       {{"Mass", "5"}},
       "[A]\nMass=5\n[a]\nMass=2\n"},
      {"first of duplicate keys",
       "[A]\nMass=1\nmass=2\n",
       "A",
       {{"Mass", "5"}},
       "[A]\nMass=5\nmass=2\n"},
      {"entries before the first section are no unit's",
       "Mass=1\n[A]\n",
       "A",
       {{"Mass", "5"}},
       "Mass=1\n[A]\nMass=5\n"},
      {"several keys, new ones in the given order",
       "[A]\nLength=1\n",
       "A",
       {{"Mass", "1"}, {"Length", "2"}, {"Temperature", "3"}, {"Time", "4"}},
       "[A]\nLength=2\nMass=1\nTemperature=3\nTime=4\n"},
      {"a key given twice takes the later value",
       "[A]\n",
       "A",
       {{"Mass", "1"}, {"MASS", "2"}},
       "[A]\nMass=2\n"},
      {"non-ASCII bytes compared as they are",
       "[\xB5m]\nMass=1\n",
       "\xB5M",
       {{"Mass", "5"}},
       "[\xB5m]\nMass=5\n"},
      {"an unstorable name in an existing section",
       "[a]b]\nMass=1\n",
       "a]b",
       {{"Mass", "5"}},
       "[a]b]\nMass=5\n"},
  };
  for (const Edit& c : cases) {
    EXPECT_EQ(SetEntries(c.before, c.section, c.entries), c.after) << c.what;
  }
}

struct Erasure {
  const char* what;
  const char* before;
  const char* section;
  const char* after;
};

TEST(SectionIndexErase, RemovesTheFirstSectionOfTheNameFromItsHeaderToItsLastEntry) {
  const std::vector<Erasure> cases = {
      {"first", "[A]\nMass=1\n[B]\nMass=2\n", "A", "[B]\nMass=2\n"},
      {"last, any case", "[A]\nMass=1\n[B]\nMass=2", "b", "[A]\nMass=1\n"},
      {"first of duplicates", "[A]\nMass=1\n[B]\n[a]\nMass=3\n", "A", "[B]\n[a]\nMass=3\n"},
      {"comments within go, those after stay", "x=1\n[A]\n; c\nMass=1\n\n; d\n[B]\n", "A",
       "x=1\n\n; d\n[B]\n"},
      {"line ends kept", "[A]\r\nMass=1\r\n\r\n; B\r\n[B]\r\n", "A", "\r\n; B\r\n[B]\r\n"},
      {"a header without entries", "[A]\n; c\n\n[B]\nMass=2\n", "A", "; c\n\n[B]\nMass=2\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Erased(c.before, c.section), c.after) << c.what;
  }
  EXPECT_EQ(Erased("[A]\nMass=1\n", "B"), std::nullopt);
}

TEST(SectionIndexSetEntries, RefusesNewSectionNamesThatWouldNotReadBackTheSame) {
  const std::vector<std::pair<std::string, const char*>> cases = {
      {"", "it is empty"},
      {std::string("a\0b", 3), "it contains a NUL character"},
      {"a\nb", "it contains a line break"},
      {"a\rb", "it contains a line break"},
      {"a]b", "it contains ']'"},
      {" a", "it begins with a space or tab"},
      {"\ta", "it begins with a space or tab"},
      {"a ", "it ends with a space or tab"},
      {"a\t", "it ends with a space or tab"},
  };
  const std::vector<IniEntryText> entries = {{"Mass", "1"}};
  for (const auto& [name, problem] : cases) {
    try {
      SetEntries("[A]\nMass=1\n", name, entries);
      ADD_FAILURE() << "stored '" << name << "'";
    } catch (const EInvalidUnitName& error) {
      EXPECT_NE(error.Message().find(problem), std::string::npos) << error.Message();
    }
  }
  try {
    SetEntries("", "a]b", entries);
    ADD_FAILURE() << "stored 'a]b'";
  } catch (const EInvalidUnitName& error) {
    EXPECT_EQ(error.Message(), "The unit name 'a]b' cannot be stored: it contains ']'");
  }
}

TEST(SectionIndexSetEntries, StoresOtherUnusualNamesSoThatTheyReadBackTheSame) {
  const std::vector<const char*> names = {"[a",          "a=b", ";a",    "a b",          "\xB5m",
                                          "caf\xC3\xA9", "a[b", "\"q\"", "\xEF\xBB\xBFx"};
  const std::vector<IniEntryText> entries = {{"Mass", "1"}};
  for (const char* name : names) {
    for (const char* before : {"", "[A]\nMass=2\n"}) {
      const std::string after = SetEntries(before, name, entries);
      const std::optional<IniSection> section = SectionIndex(after).Find(name);
      ASSERT_TRUE(section.has_value()) << name;
      EXPECT_EQ(section->Name, name);
      EXPECT_TRUE(section->HasEntries) << name;
    }
  }
}

TEST(SectionIndexSetEntries, RefusesKeysAndValuesThatWouldNotReadBackTheSame) {
  const std::vector<IniEntryText> cases = {{"", "1"},       {" Mass", "1"},   {"Mass ", "1"},
                                           {"Ma=ss", "1"},  {"[Mass]", "1"},  {";Mass", "1"},
                                           {"Ma\nss", "1"}, {"Mass", "1\n2"}, {"Mass", "1\r"}};
  for (const IniEntryText& entry : cases) {
    const std::vector<IniEntryText> entries = {entry};
    EXPECT_THROW(SetEntries("[A]\n", "A", entries), std::invalid_argument) << entry.Key;
  }
}

}  // namespace
}  // namespace calpero
