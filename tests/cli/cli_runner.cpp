#include "tests/cli/cli_runner.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace calpero::testing {
// Inside single quotes every byte but the quote itself stands as it is.
std::string ShellWord(const std::string& text) {
  std::string word = "'";
  for (const char character : text) {
    word += character == '\'' ? std::string("'\\''") : std::string(1, character);
  }
  return word + "'";
}

TCliResult TWorkspace::Run(const std::vector<std::string>& arguments,
                           const std::string& environment,
                           const std::filesystem::path& directory) const {
  const std::filesystem::path out = Root() / "stdout";
  const std::filesystem::path err = Root() / "stderr";
  std::string command = "cd " + ShellWord(directory.empty() ? Root() : directory) + " && env " +
                        (environment.empty() ? "LC_ALL=C" : environment) + " " CALPERO_CLI_PATH;
  for (const std::string& argument : arguments) {
    command += " " + ShellWord(argument);
  }
  command += " </dev/null >" + ShellWord(out) + " 2>" + ShellWord(err);
  const int status = std::system(command.c_str());
  TCliResult result;
  result.ExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.Out = ReadFile(out);
  result.Err = ReadFile(err);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return result;
}

void TWorkspace::WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!(file << bytes).flush()) {
    throw std::runtime_error("cannot write " + path.string());
  }
}

std::string TWorkspace::ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace calpero::testing
