#pragma once

#include <iosfwd>
#include <string_view>

#include "cli/command_line.h"

namespace calpero {

// Runs one parsed command line in `folder` (a path, "." for the working directory): enters each
// -C directory in turn from there, a relative one against the folder reached so far, then works
// on the catalogue Data/data.ini (and the backup Backup/data.ini) of the folder reached, with the
// decimal separator in force. The working directory of the process stays as it is; messages name
// the files as "./Data/data.ini" and "./Backup/data.ini". The command computes its result, which
// RenderText, or RenderJson with --json, prints to `out`; warnings and errors go to `err`, each
// line starting with "calpero-cli: ", every text that the user gave or the catalogue holds quoted
// as TerminalText shows it. `version` is what --version prints after the program name.
// eval and show name the catalogue's units with the resultant's (the unit's) powers
// (UnitsWithPowers, in the list's order); match lists the units with the four powers given,
// numbers read in the complete form (PowerTextForm::Complete), as save reads its powers too.
// A name counts as missing when the catalogue has no section of that name; a section without
// entries is there and reads as zeros. A missing name is a warning that suggests the closest
// catalogue name; a stored power that the catalogue cannot read counts as 0 with a warning
// "unit 'U': Key=text cannot be read with the decimal separator '.'; counted as 0" (show and eval
// for the units they name, match for the units it compares). With --strict either is an error
// before anything is printed. A stored number beyond the double range is an error naming the
// unit, the key and the text, except with show --exact, which prints the stored text of every
// power that cannot be read. save runs the new-unit dialog's save.
// Returns the exit status: 0 on success (also when a unit named in show, eval or erase is
// missing, without --strict), 1 when the command failed (the core's message, a refused save, a
// failed copy, a directory that cannot be entered, a catalogue that exists but cannot be read,
// a missing name or an unreadable power under --strict, or output that cannot be written).
// Never throws.
int RunCommand(const TCommandLine& line, std::string_view folder, std::string_view version,
               std::ostream& out, std::ostream& err);

}  // namespace calpero
