#include "cli/command_line.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>

namespace calpero {
namespace {

// Hand-written rather than a general parser library: such a library takes any argument that
// starts with "-" and a non-digit for an option, and this tool must take "-.5" (or "-,5" under a
// decimal comma) as a number and "-x" as a unit name without "--".

struct TCommandWord {
  std::string_view Word;
  TCliCommand Command;
  std::array<std::string_view, 4> Options;  // besides --help; unused places stay empty
};

constexpr std::array<TCommandWord, 8> kCommandWords = {{
    {"list", TCliCommand::List, {"--json"}},
    {"show", TCliCommand::Show, {"--json", "--exact", "--strict"}},
    {"eval", TCliCommand::Eval, {"--json", "--exact", "--all", "--strict"}},
    {"match", TCliCommand::Match, {"--json"}},
    {"save", TCliCommand::Save, {"--replace"}},
    {"erase", TCliCommand::Erase, {"--strict"}},
    {"backup", TCliCommand::Backup, {}},
    {"restore", TCliCommand::Restore, {}},
}};

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

const TCommandWord* FindCommandWord(std::string_view word) {
  const auto* found =
      std::find_if(kCommandWords.begin(), kCommandWords.end(),
                   [word](const TCommandWord& entry) { return entry.Word == word; });
  return found == kCommandWords.end() ? nullptr : found;
}

void SetOption(TCommandLine& line, std::string_view option) {
  if (option == "--json") {
    line.Json = true;
  }
  if (option == "--exact") {
    line.Exact = true;
  }
  if (option == "--all") {
    line.All = true;
  }
  if (option == "--replace") {
    line.Replace = true;
  }
  if (option == "--strict") {
    line.Strict = true;
  }
}

// Reads the options before the command into `line`. Returns the index of the command word, or
// nullopt when --help or --version already decided the command (or no command follows).
std::optional<std::size_t> ParseGlobalOptions(std::span<const std::string_view> arguments,
                                              TCommandLine& line) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      line.Command = TCliCommand::Help;
      return std::nullopt;
    }
    if (argument == "--version") {
      line.Command = TCliCommand::Version;
      return std::nullopt;
    }
    if (argument == "--json") {
      line.Json = true;
    } else if (argument == "-C") {
      if (i + 1 == arguments.size()) {
        throw TUsageError("option -C needs a directory");
      }
      line.Directories.emplace_back(arguments[++i]);
    } else if (argument.starts_with("-C")) {
      line.Directories.emplace_back(argument.substr(2));
    } else if (argument.starts_with("-")) {
      throw TUsageError("unknown option " + Quoted(argument));
    } else {
      return i;
    }
  }
  throw TUsageError("no command given");
}

// Sorts the command's arguments into options and operands; --help wins over everything.
std::vector<std::string> SplitOperands(const TCommandWord& word,
                                       std::span<const std::string_view> arguments,
                                       TCommandLine& line) {
  std::vector<std::string> operands;
  bool optionsEnded = false;
  for (const std::string_view argument : arguments) {
    if (optionsEnded || !argument.starts_with("--")) {
      operands.emplace_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--help") {
      line.Command = TCliCommand::Help;
      return {};
    } else if (std::find(word.Options.begin(), word.Options.end(), argument) !=
               word.Options.end()) {
      SetOption(line, argument);
    } else {
      throw TUsageError("unknown option " + Quoted(argument) + " for " + Quoted(word.Word));
    }
  }
  return operands;
}

void ExpectCount(const TCommandWord& word, const std::vector<std::string>& operands,
                 std::size_t count) {
  if (operands.size() < count) {
    throw TUsageError(Quoted(word.Word) + " needs more arguments");
  }
  if (operands.size() > count) {
    throw TUsageError("too many arguments for " + Quoted(word.Word) + ": " +
                      Quoted(operands[count]));
  }
}

void TakeFraction(std::vector<std::string> operands, TCommandLine& line) {
  const auto slash = std::find(operands.begin(), operands.end(), "/");
  if (slash != operands.end() && std::find(slash + 1, operands.end(), "/") != operands.end()) {
    throw TUsageError("'eval' takes at most one '/'");
  }
  line.Names.assign(operands.begin(), slash);
  if (slash != operands.end()) {
    line.Denominator.assign(slash + 1, operands.end());
  }
}

void TakeOperands(const TCommandWord& word, std::vector<std::string> operands, TCommandLine& line) {
  switch (word.Command) {
    case TCliCommand::Eval:
      TakeFraction(std::move(operands), line);
      return;
    case TCliCommand::Show:
    case TCliCommand::Erase:
      ExpectCount(word, operands, 1);
      line.Names = std::move(operands);
      return;
    case TCliCommand::Save:
      ExpectCount(word, operands, 1 + line.Powers.size());
      line.Names.assign(operands.begin(), operands.begin() + 1);
      std::move(operands.begin() + 1, operands.end(), line.Powers.begin());
      return;
    case TCliCommand::Match:
      ExpectCount(word, operands, line.Powers.size());
      std::move(operands.begin(), operands.end(), line.Powers.begin());
      return;
    default:
      ExpectCount(word, operands, 0);
      return;
  }
}

}  // namespace

TCommandLine ParseCommandLine(std::span<const std::string_view> arguments) {
  TCommandLine line;
  const std::optional<std::size_t> commandIndex = ParseGlobalOptions(arguments, line);
  if (!commandIndex) {
    return line;
  }
  const std::string_view commandWord = arguments[*commandIndex];
  const TCommandWord* word = FindCommandWord(commandWord);
  if (word == nullptr) {
    throw TUsageError("unknown command " + Quoted(commandWord));
  }
  line.Command = word->Command;
  std::vector<std::string> operands =
      SplitOperands(*word, arguments.subspan(*commandIndex + 1), line);
  if (line.Command == TCliCommand::Help) {
    return line;
  }
  TakeOperands(*word, std::move(operands), line);
  return line;
}

std::string UsageText() {
  return R"(usage: calpero-cli [-C DIR] [--json] COMMAND [ARGS...]

Commands:
  list                    every unit name, one a line, sorted as the window lists them
  show NAME [--exact] [--strict]
                          the unit's four powers and the other units that have them
  eval NAME... [/ NAME...] [--exact] [--all] [--strict]
                          the powers of the fraction (the names before "/" over those after
                          it) and every unit that has them: "Same powers as: ..."
  match M L T t           every unit whose powers of Mass, Length, Temperature and Time are
                          these, sorted as list sorts (numbers as save takes them)
  save NAME M L T t [--replace]
                          store the powers of Mass, Length, Temperature and Time under NAME
  erase NAME [--strict]   remove a unit
  backup                  copy Data/data.ini to Backup/data.ini
  restore                 copy Backup/data.ini to Data/data.ini

Options:
  -C DIR      work in DIR instead of the current directory
  --json      print the results of list, show, eval and match as JSON
  --exact     print each power in the catalogue's stored form instead of two decimals
  --all       with eval, print the numerator and denominator sums before the resultant
  --strict    a name missing from the catalogue is an error, and nothing is printed
  --replace   with save, replace a unit that already exists
  --          end of options: what follows are names and numbers
  --help      print this help
  --version   print the version

A name missing from the catalogue counts as zero powers, with a warning that suggests the
closest name of the catalogue.
Names: text output shows a control character, a byte that is not valid UTF-8 and a backslash
escaped ("\x1b", "\xc5", "\u009b", "\\"). JSON keeps every name exact: valid UTF-8 as it is,
and each byte that is not valid UTF-8 as the lone surrogate "\udcXX", XX the byte's value (byte
C5 is "\udcc5"), which no valid name can hold; decode with Python's "surrogateescape" error
handler (or map U+DC80..U+DCFF back to bytes) to get the bytes to pass to show, save or erase.
Exit status: 0 success, 1 failure, 2 usage error.
)";
}

}  // namespace calpero
