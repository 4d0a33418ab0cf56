// calpero-cli: the catalogue and the evaluation of the window, from a terminal.
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include <QLocale>
#include <QString>

#include "app/start_up.h"
#include "catalogue/power_text.h"
#include "cli/command_line.h"
#include "cli/commands.h"

namespace {

// The decimal symbol of the user's locale as the window reads it: Qt's system locale, which
// follows the language variables (LC_ALL, then LC_NUMERIC, then LANG) whether or not the C
// library has that locale generated, so the window and the tool agree in every environment.
// As UTF-8; SetDecimalSeparator turns it into the separator in force by the window's rule.
// The process's C locale, on which nothing of ours depends, stays "C". Never throws.
std::string LocaleDecimalSymbol() {
  return QLocale::system().decimalPoint().toUtf8().toStdString();
}

}  // namespace

int main(int argc, char** argv) {
  calpero::KeepLargeBlocksInTheHeap();
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
  calpero::SetDecimalSeparator(LocaleDecimalSymbol());
  return calpero::RunCommand(line, ".", CALPERO_VERSION, std::cout, std::cerr);
}
