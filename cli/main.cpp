// calpero-cli: the catalogue and the evaluation of the window, from a terminal.
#include <iostream>
#include <string_view>
#include <vector>

#include "catalogue/decimal_separator.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/locale_decimal_symbol.h"

int main(int argc, char** argv) {
  std::vector<std::string_view> arguments;
  for (int i = 1; i < argc; ++i) {
    arguments.emplace_back(argv[i]);
  }
  calpero::TCommandLine line;
  try {
    line = calpero::ParseCommandLine(arguments);
  } catch (const calpero::TUsageError& error) {
    std::cerr << "calpero-cli: " << error.what() << "\n\n" << calpero::UsageText();
    return 2;
  }
  calpero::SetDecimalSeparator(calpero::LocaleDecimalSymbol());
  return calpero::RunCommand(line, ".", CALPERO_VERSION, std::cout, std::cerr);
}
