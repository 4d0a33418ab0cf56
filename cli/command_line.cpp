#include "cli/command_line.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>

#include "cli/terminal_text.h"

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
    {"match", TCliCommand::Match, {"--json", "--strict"}},
    {"save", TCliCommand::Save, {"--replace"}},
    {"erase", TCliCommand::Erase, {"--strict"}},
    {"backup", TCliCommand::Backup, {}},
    {"restore", TCliCommand::Restore, {"--replace"}},
}};

// The options that some command takes; before the command they are remembered until it is known
// whether it takes them.
constexpr std::array<std::string_view, 5> kCommandOptions = {"--json", "--exact", "--all",
                                                             "--strict", "--replace"};

bool IsCommandOption(std::string_view argument) {
  return std::find(kCommandOptions.begin(), kCommandOptions.end(), argument) !=
         kCommandOptions.end();
}

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

// Reads the options before the command: -C into `line`, the command's options into `options`.
// Returns the index of the command word, or nullopt when --help or --version already decided the
// command.
std::optional<std::size_t> ParseGlobalOptions(std::span<const std::string_view> arguments,
                                              TCommandLine& line,
                                              std::vector<std::string_view>& options) {
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
      line.Json = true;  // every command takes it here, as it always did
    } else if (IsCommandOption(argument)) {
      options.push_back(argument);
    } else if (argument == "-C") {
      if (i + 1 == arguments.size()) {
        throw TUsageError("option -C needs a directory");
      }
      line.Directories.emplace_back(arguments[++i]);
    } else if (argument.starts_with("-C")) {
      line.Directories.emplace_back(argument.substr(2));
    } else if (argument.starts_with("-")) {
      throw TUsageError("unknown option " + QuotedText(argument));
    } else {
      return i;
    }
  }
  throw TUsageError("no command given");
}

// Sets an option that stood before or after the command word, when the command takes it.
void TakeOption(const TCommandWord& word, std::string_view option, TCommandLine& line) {
  if (std::find(word.Options.begin(), word.Options.end(), option) == word.Options.end()) {
    throw TUsageError("unknown option " + QuotedText(option) + " for " + QuotedText(word.Word));
  }
  SetOption(line, option);
}

// The command's operands: those before "--", where "/" splits eval's fraction, and those after
// it, which are names and numbers whatever they look like.
struct TOperands {
  std::vector<std::string> Values;
  std::size_t BeforeEnd = 0;  // how many of Values stood before "--"
};

// Sorts the command's arguments into options and operands; --help wins over everything.
TOperands SplitOperands(const TCommandWord& word, std::span<const std::string_view> arguments,
                        TCommandLine& line) {
  TOperands operands;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (!optionsEnded && argument == "-C") {
      // Only the separate form: "-Cx" after the command stays a name, as "-x" does.
      if (i + 1 == arguments.size()) {
        throw TUsageError("option -C needs a directory");
      }
      line.Directories.emplace_back(arguments[++i]);
    } else if (optionsEnded || !argument.starts_with("--")) {
      operands.Values.emplace_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--help") {
      line.Command = TCliCommand::Help;
      return {};
    } else {
      TakeOption(word, argument, line);
    }
    if (!optionsEnded) {
      operands.BeforeEnd = operands.Values.size();
    }
  }
  return operands;
}

[[noreturn]] void ThrowNeedsMoreArguments(const TCommandWord& word) {
  throw TUsageError(QuotedText(word.Word) + " needs more arguments");
}

void ExpectCount(const TCommandWord& word, const std::vector<std::string>& operands,
                 std::size_t count) {
  if (operands.size() < count) {
    ThrowNeedsMoreArguments(word);
  }
  if (operands.size() > count) {
    throw TUsageError("too many arguments for " + QuotedText(word.Word) + ": " +
                      QuotedText(operands[count]));
  }
}

// Numerator and denominator: a "/" before "--" splits them; after "--" a "/" is a unit's name.
void TakeFraction(const TCommandWord& word, const TOperands& operands, TCommandLine& line) {
  const std::vector<std::string>& values = operands.Values;
  const auto syntaxEnd = values.begin() + static_cast<std::ptrdiff_t>(operands.BeforeEnd);
  const auto slash = std::find(values.begin(), syntaxEnd, "/");
  if (slash != syntaxEnd && std::find(slash + 1, syntaxEnd, "/") != syntaxEnd) {
    throw TUsageError("'eval' takes at most one '/'");
  }
  if (slash == syntaxEnd) {
    line.Names = values;
  } else {
    line.Names.assign(values.begin(), slash);
    line.Denominator.assign(slash + 1, values.end());
  }
  if (line.Names.empty() && line.Denominator.empty()) {
    ThrowNeedsMoreArguments(word);
  }
}

void TakeOperands(const TCommandWord& word, TOperands operandList, TCommandLine& line) {
  if (word.Command == TCliCommand::Eval) {
    TakeFraction(word, operandList, line);
    return;
  }
  std::vector<std::string> operands = std::move(operandList.Values);
  switch (word.Command) {
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
    case TCliCommand::Restore:
      line.Names = std::move(operands);  // none: the whole file
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
  std::vector<std::string_view> optionsBefore;
  const std::optional<std::size_t> commandIndex =
      ParseGlobalOptions(arguments, line, optionsBefore);
  if (!commandIndex) {
    return line;
  }
  const std::string_view commandWord = arguments[*commandIndex];
  const TCommandWord* word = FindCommandWord(commandWord);
  if (word == nullptr) {
    throw TUsageError("unknown command " + QuotedText(commandWord));
  }
  line.Command = word->Command;
  TOperands operands = SplitOperands(*word, arguments.subspan(*commandIndex + 1), line);
  if (line.Command == TCliCommand::Help) {
    return line;
  }
  for (const std::string_view option : optionsBefore) {
    TakeOption(*word, option, line);
  }
  TakeOperands(*word, std::move(operands), line);
  return line;
}

std::string UsageText() {
  return R"(usage: calpero-cli [-C DIR]... [--json] COMMAND [ARGS...]

Commands:
  list                    every unit name, one a line, sorted as the window lists them
  show NAME [--exact] [--strict]
                          the unit's four powers and the other units that have them
  eval NAME... [/ NAME...] [--exact] [--all] [--strict]
                          the powers of the fraction (the names before "/" over those after
                          it) and every unit that has them: "Same powers as: ..."; after
                          "--" a "/" is a name: eval -- /
  match M L T t [--strict]
                          every unit whose powers of Mass, Length, Temperature and Time are
                          these, sorted as list sorts (numbers as save takes them)
  save NAME M L T t [--replace]
                          store the powers of Mass, Length, Temperature and Time under NAME
  erase NAME [--strict]   remove a unit
  backup                  copy Data/data.ini to Backup/data.ini
  restore [NAME...] [--replace]
                          copy Backup/data.ini to Data/data.ini; with names, put back just
                          those units from the backup (a unit the catalogue has is kept
                          unless --replace)

Options (those of a command also before it, -C DIR also after it):
  -C DIR      work in DIR instead of the current directory; repeatable, each DIR entered
              in turn from the one before ("-C a -C b" works in a/b); before the command
              also as -CDIR
  --json      print the results of list, show, eval and match as JSON
  --exact     print each power in the catalogue's stored form instead of two decimals
  --all       with eval, print the numerator and denominator sums before the resultant
  --strict    a name missing from the catalogue, or a stored power that cannot be read, is an
              error, and nothing is printed
  --replace   with save, replace a unit that already exists; with restore NAME..., replace
              the units that the catalogue has
  --          end of options: what follows are names and numbers
  -h, --help  print this help (-h only before the command)
  --version   print the version

A name missing from the catalogue counts as zero powers, with a warning that suggests the
closest name of the catalogue; so does a stored power that cannot be read (such as "1,5" under
the decimal separator "."), with a warning that names the unit, the key and the stored text.
Names: text output and messages show a control character, a bidirectional control, a byte that
is not valid UTF-8 and a backslash escaped ("\x1b", "\u202e", "\xc5", "\u009b", "\\"). JSON
escapes controls and bidirectional controls as "\uXXXX" and keeps every name exact: valid UTF-8,
and each byte that is not valid UTF-8 as the lone surrogate "\udcXX", XX the byte's value (byte
C5 is "\udcc5"), which no valid name can hold; decode with Python's "surrogateescape" error
handler (or map U+DC80..U+DCFF back to bytes) to get the bytes to pass to show, save or erase.
Exit status: 0 success, 1 failure, 2 usage error.
)";
}

}  // namespace calpero
