#pragma once

#include <array>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace calpero {

// What the command-line tool was asked to do.
enum class TCliCommand { Help, Version, List, Show, Eval, Save, Erase, Backup, Restore, Match };

// A command line taken apart, before anything touches the file system.
struct TCommandLine {
  TCliCommand Command = TCliCommand::Help;
  std::vector<std::string> Directories;  // each -C DIR, to be entered in this order
  bool Json = false;                     // --json
  bool Exact = false;                    // --exact: the stored text form of each power
  bool All = false;                      // --all: eval prints both sums before the resultant
  bool Replace = false;                  // --replace: save, restore may replace an existing unit
  bool Strict = false;                   // --strict: a name missing from the catalogue is an error
  std::vector<std::string> Names;        // show, save, erase: the one unit; eval: the numerator;
                                         // restore: the units to put back (none: the whole file)
  std::vector<std::string> Denominator;  // eval: the names after "/"
  std::array<std::string, 4> Powers;     // save, match: Mass, Length, Temperature, Time as typed

  bool operator==(const TCommandLine&) const = default;
};

// A command line that does not follow the usage; the message says what is wrong with it.
class TUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Takes the arguments after the program name. Before the command: -C DIR (also -CDIR,
// repeatable), --json (for any command), --help, --version, and the options of the command.
// After the command, the options that the command knows (--json, --exact, --all, --strict,
// --replace), "-C DIR" (the separate form only, entered after those before the command) and
// --help may stand anywhere until "--"; any other argument is a name or a number, so "-2" is a
// number and "-Cx" a name. For eval one "/" before "--" splits numerator from denominator; after
// "--" a "/" is a unit's name. eval needs at least one name.
// --help or --version before the command asks for just that; after the command only --help does
// (and wins over everything else), while --version there is an unknown option.
// Throws TUsageError for an unknown option or command, an option that the command does not
// take, a missing -C directory, no command, or the wrong number of arguments for the command.
// Its message quotes what the user typed as QuotedText does.
TCommandLine ParseCommandLine(std::span<const std::string_view> arguments);

// The usage text that --help prints and a usage error shows, ending in a line break.
std::string UsageText();

}  // namespace calpero
