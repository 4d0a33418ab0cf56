// The section index's fast ways through a catalogue text agree with the plain line-by-line
// reading: the header search that jumps from "[" to "[" and the sections found by it, the
// word-at-a-time name comparison and hash, the splices through which a change is written, and
// the power search, which asks about each unit's stored texts as far as it must.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/catalogue_reading.h"
#include "catalogue/detail/section_headers.h"
#include "catalogue/ini_text.h"
#include "catalogue/power_keys.h"
#include "catalogue/power_search.h"
#include "catalogue/power_text.h"
#include "catalogue/section_index.h"
#include "tests/catalogue/test_files.h"
#include "text/text_bytes.h"

namespace calpero::test {
namespace {

// Texts with every shape of header line and its near misses, and the fixtures of hand-edited
// and foreign files.
std::vector<std::string> SampleTexts() {
  std::vector<std::string> texts = {
      "",
      "[A]",
      "[A]\nMass=1",
      "\xEF\xBB\xBF[A]\r\nMass=1\r\n[B]\r\n",
      "\xEF\xBB\xBF \t[A]\rMass=1\r[B]\r",
      "Mass=1\n[A]\n",
      "x[A]\n[B]\n",
      "Mass=[A]\n[B]\n",
      ";[A]\n [B] \n\t[C]junk\n",
      "[A\n[B]\n",
      "[A=1\nMass=1\n[B]\n",
      "[a]b]\n[]\n[[x]]\n",
      "[A][B]\n",
      "[A]\n\n\n",
      "[A]\nMass=1\n; note\n\nLength=2\n[B]\nno entry here\n",
      "[A]\nMass=1",
      std::string("[A]\n\0[B]\nMass=1\n[C\0]\n", 21),
  };
  for (const char* fixture :
       {"blanks_around_names.ini", "blanks_quotes_semicolons.ini", "bom.ini",
        "comments_and_blanks.ini", "cr_line_ends.ini", "crlf_line_ends.ini",
        "duplicate_sections.ini", "entries_before_first_section.ini", "header_without_entries.ini",
        "malformed_headers.ini", "mixed_line_ends.ini", "no_final_newline.ini", "nul_bytes.ini",
        "invalid_utf8_names.ini"}) {
    texts.push_back(Fixture(fixture));
  }
  return texts;
}

// Random texts over the bytes that shape an INI file, so that headers, near misses, blanks and
// every kind of line end meet in every order.
std::vector<std::string> RandomTexts(int count) {
  constexpr std::string_view kBytes = "[[]]\n\n\r\r \t=;aAbB\xEF\xBB\xBF";
  std::mt19937 random(20240611);
  std::uniform_int_distribution<std::size_t> length(0, 60);
  std::uniform_int_distribution<std::size_t> pick(0, kBytes.size() - 1);
  std::vector<std::string> texts;
  for (int i = 0; i < count; ++i) {
    std::string text(length(random), ' ');
    for (char& c : text) {
      c = kBytes[pick(random)];
    }
    texts.push_back(text);
  }
  return texts;
}

std::vector<std::string> AllTexts() {
  std::vector<std::string> texts = SampleTexts();
  const std::vector<std::string> random = RandomTexts(5000);
  texts.insert(texts.end(), random.begin(), random.end());
  return texts;
}

// The sections as a plain walk over every line describes them.
std::vector<IniSection> SectionsByLine(std::string_view text) {
  std::vector<IniSection> sections;
  IniScanner scanner(text);
  IniLine line;
  while (scanner.Next(line)) {
    if (line.Kind == IniLineKind::Header) {
      if (!sections.empty()) {
        sections.back().End = line.Begin;
      }
      sections.push_back(
          {line.Name, line.Begin, line.Next, text.size(), line.Next, false, line.Next > line.End});
    } else if (line.Kind == IniLineKind::Entry && !sections.empty()) {
      sections.back().HasEntries = true;
      sections.back().EntriesEnd = line.Next;
      sections.back().LastEntryEnded = line.Next > line.End;
    }
  }
  return sections;
}

void ExpectSameSection(const IniSection& got, const IniSection& want, const std::string& text) {
  EXPECT_EQ(got.Name, want.Name) << "'" << text << "'";
  EXPECT_EQ(got.HeaderBegin, want.HeaderBegin) << "'" << text << "'";
  EXPECT_EQ(got.BodyBegin, want.BodyBegin) << "'" << text << "'";
  EXPECT_EQ(got.End, want.End) << "'" << text << "'";
  EXPECT_EQ(got.EntriesEnd, want.EntriesEnd) << "'" << text << "'";
  EXPECT_EQ(got.HasEntries, want.HasEntries) << "'" << text << "'";
  EXPECT_EQ(got.LastEntryEnded, want.LastEntryEnded) << "'" << text << "'";
}

// The headers that a walk of `text` finds, and their marks, which must be those of their names.
std::vector<IniSection> WalkedHeaders(const std::string& text, std::vector<std::uint16_t>& marks) {
  std::vector<IniSection> headers;
  SectionHeaders::Walk(text, headers, marks);
  EXPECT_EQ(marks.size(), headers.size()) << "'" << text << "'";
  for (std::size_t i = 0; i < std::min(marks.size(), headers.size()); ++i) {
    EXPECT_EQ(marks[i], IniNameMark(headers[i].Name)) << "'" << text << "'";
  }
  return headers;
}

TEST(SectionIndex, FindsEverySectionAsAWalkOverEveryLineDoes) {
  for (const std::string& text : AllTexts()) {
    const std::vector<IniSection> want = SectionsByLine(text);
    const SectionIndex index(text);
    const std::vector<IniSection> got = index.Sections();
    std::vector<std::uint16_t> marks;
    const std::vector<IniSection> headers = WalkedHeaders(text, marks);
    ASSERT_EQ(got.size(), want.size()) << "'" << text << "'";
    ASSERT_EQ(headers.size(), want.size()) << "'" << text << "'";
    std::vector<std::string> names;
    for (std::size_t i = 0; i < want.size(); ++i) {
      ExpectSameSection(got[i], want[i], text);
      // The header walk fills what the header line tells and reads no body.
      IniSection headerOnly = want[i];
      headerOnly.EntriesEnd = headerOnly.BodyBegin;
      headerOnly.HasEntries = false;
      headerOnly.LastEntryEnded =
          headerOnly.BodyBegin > headerOnly.HeaderBegin &&
          (text[headerOnly.BodyBegin - 1] == '\n' || text[headerOnly.BodyBegin - 1] == '\r');
      ExpectSameSection(headers[i], headerOnly, text);
      names.emplace_back(want[i].Name);
    }
    EXPECT_EQ(index.Names(), names) << "'" << text << "'";
    EXPECT_EQ(CatalogueText(text).Names(), names) << "'" << text << "'";
  }
}

// An erase hands the list's reload a reading made by moving the headers it had: it must be the
// reading that a walk over the erased text makes, names viewing the new text.
TEST(CatalogueText, AReadingAfterAnEraseIsTheWalkOfTheErasedText) {
  for (const std::string& text : AllTexts()) {
    const CatalogueText before(text);
    for (const IniSection& section : CatalogueTextHeaders::Of(before).sections) {
      const std::optional<TextSplice> erase = SectionIndex(text).Erase(section.Name);
      ASSERT_TRUE(erase.has_value());
      const std::shared_ptr<const CatalogueText> got = before.WithErased(*erase);
      const CatalogueText want(text.substr(0, erase->Begin) + text.substr(erase->End));
      ASSERT_EQ(got->Text(), want.Text());
      const SectionHeaders gotHeaders = CatalogueTextHeaders::Of(*got);
      const SectionHeaders wantHeaders = CatalogueTextHeaders::Of(want);
      ASSERT_EQ(gotHeaders.sections.size(), wantHeaders.sections.size()) << "'" << text << "'";
      EXPECT_TRUE(std::ranges::equal(gotHeaders.marks, wantHeaders.marks)) << "'" << text << "'";
      for (std::size_t i = 0; i < wantHeaders.sections.size(); ++i) {
        ExpectSameSection(gotHeaders.sections[i], wantHeaders.sections[i], text);
        EXPECT_EQ(gotHeaders.sections[i].Name.data() - got->Text().data(),
                  wantHeaders.sections[i].Name.data() - want.Text().data())
            << "'" << text << "'";
      }
    }
  }
}

TEST(SectionIndex, FindsTheFirstSectionOfTheNameInAnyLetterCase) {
  for (const std::string& text : AllTexts()) {
    const SectionIndex index(text);
    std::vector<std::string> names = {"no such unit"};
    for (const IniSection& section : SectionsByLine(text)) {
      names.emplace_back(section.Name);
    }
    const SectionTable walked = index.FindAll(names);
    std::vector<std::uint16_t> marks;
    const std::vector<IniSection> walkedHeaders = WalkedHeaders(text, marks);
    const SectionHeaders headers{walkedHeaders, marks};
    // The same look among headers found before answers exactly as the walk does.
    for (const SectionTable& table : {walked, headers.FindAll(text, names)}) {
      for (const IniSection& section : SectionsByLine(text)) {
        for (const std::string& asked : {std::string(section.Name), [&] {
                                           std::string folded;
                                           FoldIniName(section.Name, folded);
                                           return folded;
                                         }()}) {
          const std::optional<IniSection> found = index.Find(asked);
          ASSERT_TRUE(found.has_value()) << "'" << text << "' " << asked;
          const std::vector<IniSection> all = SectionsByLine(text);
          const auto first = std::find_if(all.begin(), all.end(), [&](const IniSection& s) {
            return SameIniName(s.Name, asked);
          });
          ExpectSameSection(*found, *first, text);
          const std::optional<IniSection> amongHeaders = headers.Find(text, asked);
          ASSERT_TRUE(amongHeaders.has_value()) << "'" << text << "' " << asked;
          ExpectSameSection(*amongHeaders, *first, text);
          const std::optional<TextSplice> erase = index.Erase(asked);
          ASSERT_TRUE(erase.has_value()) << "'" << text << "' " << asked;
          EXPECT_EQ(std::pair(erase->Begin, erase->End),
                    std::pair(first->HeaderBegin, first->EntriesEnd));
          // The table keeps the same section, all but its name.
          const IniSection* listed = table.Find(asked);
          ASSERT_NE(listed, nullptr) << "'" << text << "' " << asked;
          IniSection named = *listed;
          named.Name = first->Name;
          ExpectSameSection(named, *first, text);
        }
      }
      EXPECT_FALSE(index.Find("no such unit").has_value());
      EXPECT_FALSE(headers.Find(text, "no such unit").has_value());
      EXPECT_FALSE(index.Erase("no such unit").has_value());
      EXPECT_EQ(table.Find("no such unit"), nullptr);
    }
  }
}

std::string FoldedByByte(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return folded;
}

TEST(SameIniName, FoldsExactlyTheAsciiLettersAtEveryLengthAndPosition) {
  // Every byte value, next to each letter and at each place of a word, and lengths around 8.
  for (int byte = 0; byte < 256; ++byte) {
    for (const std::size_t length : {1U, 7U, 8U, 9U, 16U, 17U}) {
      for (std::size_t at = 0; at < length; at += 3) {
        std::string a(length, 'q');
        std::string b(length, 'q');
        a[at] = static_cast<char>(byte);
        for (int other : {byte, byte ^ 0x20, byte ^ 0x80, byte + 1}) {
          b[at] = static_cast<char>(other);
          EXPECT_EQ(SameIniName(a, b), FoldedByByte(a) == FoldedByByte(b))
              << byte << " / " << other << " at " << at << " of " << length;
        }
      }
    }
  }
  EXPECT_FALSE(SameIniName("Quantity 000001", "Quantity 000001 "));
  EXPECT_TRUE(SameIniName("METRE PER SECOND SQUARED", "metre per second squared"));
}

TEST(IniNameHash, IsTheSameForNamesThatDifferOnlyInLetterCaseAndSpreadsOthers) {
  EXPECT_EQ(IniNameHash("Metre per second squared"), IniNameHash("METRE PER SECOND squared"));
  EXPECT_EQ(IniNameHash(""), IniNameHash(""));
  EXPECT_NE(IniNameHash("a"), IniNameHash(std::string("a\0", 2)));
  // Names that differ only in their last bytes still differ in every part of the hash: a
  // reading that keeps 16 bits of it must not find them all alike.
  std::vector<std::uint64_t> hashes;
  std::vector<std::uint64_t> lowBits;
  for (int i = 0; i < 20000; ++i) {
    hashes.push_back(IniNameHash("Quantity " + std::to_string(100000 + i)));
    lowBits.push_back(hashes.back() & 0xFFFFU);
  }
  std::sort(hashes.begin(), hashes.end());
  EXPECT_EQ(std::unique(hashes.begin(), hashes.end()), hashes.end());
  std::sort(lowBits.begin(), lowBits.end());
  // 20,000 values drawn at random from 65,536 give about 17,300 distinct ones.
  EXPECT_GT(std::unique(lowBits.begin(), lowBits.end()) - lowBits.begin(), 16000);
}

struct SpliceCase {
  const char* what;
  std::string text;
  std::vector<TextSplice> splices;
  std::string result;
};

TEST(SectionIndex, SplicesTheNewTextFromTheUnchangedStretchesAndTheInserts) {
  const std::vector<SpliceCase> cases = {
      {"no splice", "abc", {}, "abc"},
      {"replacement", "Mass=1\n", {{5, 6, "2"}}, "Mass=2\n"},
      {"removal", "[A]\nx\n[B]\n", {{0, 6, ""}}, "[B]\n"},
      {"insertion at the end", "[A]\n", {{4, 4, "[B]\n"}}, "[A]\n[B]\n"},
      {"insertion at the start", "x", {{0, 0, "y"}}, "yx"},
      {"two at one place apply in order", "ab", {{1, 1, "1"}, {1, 1, "2"}}, "a12b"},
      {"replacement then insertion", "M=\n", {{2, 2, "5"}, {2, 2, "\nT=1"}}, "M=5\nT=1\n"},
      {"whole text", "abc", {{0, 3, "xyz"}}, "xyz"},
      {"everything removed", "abc", {{0, 3, ""}}, ""},
  };
  for (const SpliceCase& c : cases) {
    std::string joined;
    for (const std::string_view piece : SectionIndex(c.text).Spliced(c.splices)) {
      EXPECT_FALSE(piece.empty()) << c.what;
      joined.append(piece);
    }
    EXPECT_EQ(joined, c.result) << c.what;
  }
}

// A question that passes the texts it was given for each key, refuses "x", and notes each text
// that it was asked about.
class GivenTexts final : public PowerTextTest {
 public:
  GivenTexts(std::string question, std::array<std::string_view, 4> wanted)
      : question_(std::move(question)), wanted_(wanted) {}

  PowerTextVerdict Judge(std::size_t key, std::string_view text) override {
    asked.emplace_back(std::string(kPowerKeys.at(key)) + "=" + std::string(text));
    return {.Passes = text == wanted_.at(key), .Refused = text == "x"};
  }
  std::string Question() const override { return question_; }

  Names asked;

 private:
  std::string question_;
  std::array<std::string_view, 4> wanted_;
};

// [a] comes after [A], so it is passed over; [C]'s quoted value is read as every reader reads it;
// [D]'s refused text is reported, that of [d], which no reader takes, is not.
constexpr std::string_view kSearched =
    "[A]\nTime=4\nMass=1\nLength=2\nTemperature=3\n[B]\nMass=9\n[a]\nMass=1\nLength=2\n"
    "Temperature=3\nTime=4\n[C]\r\nmass = \"1\"\r\nLength=2\r\nTemperature=3\r\nTime=4\r\n"
    "[D]\nMass=x\n[d]\nMass=x\n";

TEST(PowerSearch, AsksEachUnitsTextsInKeyOrderUpToTheFirstThatFails) {
  GivenTexts test("1 2 3 4", {"1", "2", "3", "4"});
  std::vector<TRefusedPower> refused;
  EXPECT_EQ(UnitsWhosePowersPass(kSearched, test, &refused), (Names{"A", "C"}));
  const Names whole = {"Mass=1", "Length=2", "Temperature=3", "Time=4"};
  Names asked = whole;
  asked.emplace_back("Mass=9");
  asked.insert(asked.end(), whole.begin(), whole.end());
  asked.insert(asked.end(), whole.begin(), whole.end());
  asked.insert(asked.end(), {"Mass=x", "Mass=x"});
  EXPECT_EQ(test.asked, asked);
  EXPECT_EQ(refused, (std::vector<TRefusedPower>{{"D", "Mass", "x"}}));
}

TEST(PowerSearch, AReadingAnswersAgainOnlyTheSameQuestionUnderTheSameSeparator) {
  const CatalogueText reading{std::string(kSearched)};
  GivenTexts first("q", {"1", "2", "3", "4"});
  EXPECT_EQ(UnitsWhosePowersPass(reading, first), (Names{"A", "C"}));
  // The same question again is answered from memory, without a text being asked about.
  GivenTexts same("q", {"9", "", "", ""});
  EXPECT_EQ(UnitsWhosePowersPass(reading, same), (Names{"A", "C"}));
  EXPECT_TRUE(same.asked.empty());
  GivenTexts other("r", {"9", "", "", ""});
  EXPECT_EQ(UnitsWhosePowersPass(reading, other), Names{"B"});
  // Stored texts read under another separator are another search.
  const ScopedDecimalSeparator comma(",");
  GivenTexts underComma("q", {"9", "", "", ""});
  EXPECT_EQ(UnitsWhosePowersPass(reading, underComma), Names{"B"});
  EXPECT_FALSE(underComma.asked.empty());
}

}  // namespace
}  // namespace calpero::test
