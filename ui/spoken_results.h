#pragma once

#include <cstddef>
#include <span>
#include <string>

#include <QString>

#include "calc/evaluation.h"
#include "calc/unit_token.h"
#include "calc/work_area.h"
#include "catalogue/unit_catalogue.h"
#include "window/change_history.h"

namespace calpero {

// The sentences that tell a screen-reader user the result of an action (TAnnouncer), one short
// sentence each, translated in the context "SpokenResults". Powers are given as
// the window shows them (FormatPower, the desktop's decimal separator) in the order Mass, Length,
// Temperature, Time; a minus sign is spoken as the word, which a speech synthesizer may otherwise
// read as a dash or skip.

// The four powers as spoken: "mass 1.00, length 1.00, temperature 0.00, time minus 2.00".
QString SpokenPowers(const TResultRow& powers);

// A unit shown in the unit-powers row: "Newton: mass 1.00, ..., time minus 2.00."
QString UnitShownSentence(const std::string& unit, const TResultRow& powers);

// `token` made (`moved` false) or moved, and the powers of the area that holds it now, each of
// its units read from `catalogue` as an evaluation reads them (told without them when their sum
// overflows).
QString TokenPlacedSentence(const TUnitToken& token, bool moved, const TWorkArea& workArea,
                            const UnitCatalogue& catalogue);

// A token of `unit` taken off `area`, and that area's powers now, read as above.
QString TokenTakenOffSentence(const std::string& unit, THolder area, const TWorkArea& workArea,
                              const UnitCatalogue& catalogue);

// Which evaluation a result row shows.
enum class TEvaluated { Resultant, Numerator, Denominator };

// An evaluation and the catalogue's units with its powers, when there are any:
// "Resultant: mass 1.00, ..., time minus 2.00; same as Pascal."
QString EvaluationSentence(TEvaluated evaluated, const TResultRow& powers,
                           std::span<const std::string> matches);

// The work area emptied.
QString WorkAreaClearedSentence();

// A unit erased from the catalogue, saved under a new name or replacing one, by name.
QString UnitErasedSentence(const std::string& unit);
QString UnitSavedSentence(const std::string& unit, bool replaced);

// How many units the unit list holds: "No units.", "1 unit.", "250 units.".
QString UnitCountSentence(std::size_t count);

// The catalogue copied to the backup, or restored from it.
QString BackupMadeSentence();
QString CatalogueRestoredSentence();

// What an undo or redo did: "Newton restored to the catalogue.", "Undid the restore.", ...; or
// "Nothing to undo." ("Nothing to redo.") when there was nothing. Not for a conflict.
QString ChangeStepSentence(const TChangeStep& step);

}  // namespace calpero
