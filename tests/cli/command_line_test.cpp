#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace calpero {
namespace {

std::string Joined(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) {
    joined += "<" + text + ">";
  }
  return joined;
}

// A parsed line in one text, so that a table row can state all of it: the command's number,
// the directories, the flags set, the names, the denominator and the powers.
std::string Described(const TCommandLine& line) {
  std::ostringstream text;
  text << static_cast<int>(line.Command) << " C" << Joined(line.Directories)
       << (line.Json ? " json" : "") << (line.Exact ? " exact" : "") << (line.All ? " all" : "")
       << (line.Replace ? " replace" : "") << (line.Strict ? " strict" : "") << " "
       << Joined(line.Names) << " / " << Joined(line.Denominator) << " "
       << Joined({line.Powers.begin(), line.Powers.end()});
  return text.str();
}

using TCase = std::pair<std::vector<std::string_view>, std::string>;

class CommandLineParses : public ::testing::TestWithParam<TCase> {};

TEST_P(CommandLineParses, IntoTheExpectedParts) {
  EXPECT_EQ(Described(ParseCommandLine(GetParam().first)), GetParam().second);
}

// Command numbers: 0 help, 1 version, 2 list, 3 show, 4 eval, 5 save, 6 erase, 7 backup,
// 8 restore, 9 match.
INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineParses,
    ::testing::Values(
        TCase{{"list"}, "2 C  /  <><><><>"}, TCase{{"--json", "list"}, "2 C json  /  <><><><>"},
        TCase{{"list", "--json"}, "2 C json  /  <><><><>"},
        TCase{{"-C", "a", "-Cb c", "-C", "", "backup"}, "7 C<a><b c><>  /  <><><><>"},
        TCase{{"show", "-x", "--exact"}, "3 C exact <-x> /  <><><><>"},
        TCase{{"show", "--", "--exact"}, "3 C <--exact> /  <><><><>"},
        TCase{{"eval", "a", "--all", "b", "/", "c"}, "4 C all <a><b> / <c> <><><><>"},
        TCase{{"eval", "/", "a"}, "4 C  / <a> <><><><>"},
        TCase{{"eval", "a", "a"}, "4 C <a><a> /  <><><><>"},
        // After "--" a "/" is a name, so that a unit named "/" can be evaluated.
        TCase{{"eval", "--", "/"}, "4 C </> /  <><><><>"},
        TCase{{"eval", "a", "/", "b", "--", "/", "-c"}, "4 C <a> / <b></><-c> <><><><>"},
        // The options of the command may stand before it.
        TCase{{"--strict", "-C", "d", "--all", "eval", "a"}, "4 C<d> all strict <a> /  <><><><>"},
        TCase{{"--exact", "--json", "show", "a"}, "3 C json exact <a> /  <><><><>"},
        TCase{{"--replace", "save", "S", "1", "2", "3", "4"}, "5 C replace <S> /  <1><2><3><4>"},
        TCase{{"--json", "backup"}, "7 C json  /  <><><><>"},
        TCase{{"-C", "a", "eval", "-C", "b", "-Cx", "--", "-C"}, "4 C<a><b> <-Cx><-C> /  <><><><>"},
        TCase{{"save", "S", "0", "1", "-2.5", "--replace", "-1E3"},
              "5 C replace <S> /  <0><1><-2.5><-1E3>"},
        TCase{{"erase", "x", "--strict"}, "6 C strict <x> /  <><><><>"},
        TCase{{"match", "1", "-1", "--json", "0", "-2"}, "9 C json  /  <1><-1><0><-2>"},
        TCase{{"match", "--", "-1", "--5", "0", "0"}, "9 C  /  <-1><--5><0><0>"},
        TCase{{"match", "-.5", "-,5", "-1E3", "0"}, "9 C  /  <-.5><-,5><-1E3><0>"},
        TCase{{"eval", "--strict", "a"}, "4 C strict <a> /  <><><><>"},
        TCase{{"restore"}, "8 C  /  <><><><>"},
        TCase{{"restore", "a", "--replace", "b"}, "8 C replace <a><b> /  <><><><>"},
        TCase{{"--help", "frobnicate"}, "0 C  /  <><><><>"},
        TCase{{"show", "--exact", "--help"}, "0 C exact  /  <><><><>"},
        TCase{{"-h"}, "0 C  /  <><><><>"}, TCase{{"--version"}, "1 C  /  <><><><>"}));

class CommandLineRefuses : public ::testing::TestWithParam<TCase> {};

TEST_P(CommandLineRefuses, WithAMessageNamingTheProblem) {
  try {
    ParseCommandLine(GetParam().first);
    ADD_FAILURE() << "no usage error";
  } catch (const TUsageError& error) {
    EXPECT_EQ(error.what(), GetParam().second);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineRefuses,
    ::testing::Values(
        TCase{{}, "no command given"}, TCase{{"--json", "-C", "x"}, "no command given"},
        TCase{{"-C"}, "option -C needs a directory"},
        TCase{{"--exact", "list"}, "unknown option '--exact' for 'list'"},
        TCase{{"--replace", "show", "a"}, "unknown option '--replace' for 'show'"},
        TCase{{"--frobnicate", "show", "a"}, "unknown option '--frobnicate'"},
        TCase{{"show", "--version"}, "unknown option '--version' for 'show'"},
        TCase{{"eval"}, "'eval' needs more arguments"},
        TCase{{"list", "-C"}, "option -C needs a directory"},
        TCase{{"eval", "/", "--exact"}, "'eval' needs more arguments"},
        TCase{{"shw", "a"}, "unknown command 'shw'"},
        TCase{{"list", "--replace"}, "unknown option '--replace' for 'list'"},
        TCase{{"show"}, "'show' needs more arguments"},
        TCase{{"show", "a", "b"}, "too many arguments for 'show': 'b'"},
        TCase{{"save", "a", "1", "2", "3"}, "'save' needs more arguments"},
        TCase{{"save", "a", "1", "2", "3", "4", "5"}, "too many arguments for 'save': '5'"},
        TCase{{"backup", "x"}, "too many arguments for 'backup': 'x'"},
        TCase{{"restore", "a", "--strict"}, "unknown option '--strict' for 'restore'"},
        TCase{{"match", "1", "2", "3"}, "'match' needs more arguments"},
        TCase{{"match", "1", "2", "3", "4", "--all"}, "unknown option '--all' for 'match'"},
        TCase{{"eval", "a", "/", "/"}, "'eval' takes at most one '/'"}));

}  // namespace
}  // namespace calpero
