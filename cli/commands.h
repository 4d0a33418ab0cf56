#pragma once

#include <iosfwd>
#include <string_view>

#include "cli/command_line.h"

namespace calpero {

// Runs one parsed command line: enters each -C directory in turn, then works on the catalogue
// Data/data.ini (and the backup Backup/data.ini) of the working directory, with the decimal
// separator in force. Results go to `out`; warnings and errors go to `err`, each line starting
// with "calpero-cli: ". `version` is what --version prints after the program name.
// Powers print as "Mass=…", "Length=…", "Temperature=…", "Time=…" lines in FormatPower's form
// (FormatStoredPower's with --exact); eval --all puts "numerator:", "denominator:" and
// "resultant:" blocks. With --json: list gives an array of names; show an object with "unit" and
// the four numbers; eval an object with the resultant's four numbers and the objects "numerator",
// "denominator" and "resultant", its numbers in the float's own shortest form.
// A name counts as missing when the catalogue has no section of that name (ListUnits); a section
// without entries is there and reads as zeros. save runs the new-unit dialog's save.
// Returns the exit status: 0 on success (also when a unit named in show, eval or erase is
// missing: that is a warning), 1 when the command failed (the core's message, a refused save, a
// failed copy, a directory that cannot be entered, or output that cannot be written).
// Never throws.
int RunCommand(const TCommandLine& line, std::string_view version, std::ostream& out,
               std::ostream& err);

}  // namespace calpero
