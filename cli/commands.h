#pragma once

#include <iosfwd>
#include <string_view>

#include "cli/command_line.h"

namespace calpero {

// Runs one parsed command line in `folder` (a path, "." for the working directory): enters each
// -C directory in turn from there, a relative one against the folder reached so far, then works
// on the catalogue Data/data.ini (and the backup Backup/data.ini) of the folder reached, with the
// decimal separator in force. The working directory of the process stays as it is; messages name
// the files as "./Data/data.ini" and "./Backup/data.ini". Results go to `out`; warnings and errors
// go to `err`, each line starting with "calpero-cli: ". `version` is what --version prints after
// the program name. Powers print as "Mass=…", "Length=…", "Temperature=…", "Time=…" lines in
// FormatPower's form (FormatStoredPower's with --exact); eval --all puts "numerator:",
// "denominator:" and "resultant:" blocks. eval then names the catalogue's units with the
// resultant's powers (UnitsWithPowers, in the list's order) on a line "Same powers as: A, B", and
// show names the other units with the unit's powers; no line when there are none. match prints the
// names of the units with the four powers given, one a line. Names in text output pass through
// TerminalText. With --json: list and match give an array of names; show an object with "unit", the
// four numbers and "matches"; eval an object with the resultant's four numbers, the objects
// "numerator", "denominator" and "resultant", its numbers in the float's own shortest form, and
// "matches".
// A name counts as missing when the catalogue has no section of that name; a section without
// entries is there and reads as zeros. A missing name is a warning that suggests the closest
// catalogue name, or with --strict an error before anything is printed. save runs the new-unit
// dialog's save.
// Returns the exit status: 0 on success (also when a unit named in show, eval or erase is
// missing, without --strict), 1 when the command failed (the core's message, a refused save, a
// failed copy, a directory that cannot be entered, a catalogue that exists but cannot be read,
// a missing name under --strict, or output that cannot be written).
// Never throws.
int RunCommand(const TCommandLine& line, std::string_view folder, std::string_view version,
               std::ostream& out, std::ostream& err);

}  // namespace calpero
