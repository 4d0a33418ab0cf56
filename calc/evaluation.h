#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "calc/power_vector.h"

namespace calpero {

class PowerSource;
class UnitCatalogue;

// The texts of the result row: Mass, Length, Temperature, Time.
using TResultRow = std::array<std::string, 4>;

// What the main window keeps of its evaluations: the three vectors (all zero at start) and the
// result row (all "0.00" at start).
struct TEvaluationState {
  TPowerVector NumeratorSum;
  TPowerVector DenominatorSum;
  TPowerVector ResultantPowers;
  TResultRow ResultRow{"0.00", "0.00", "0.00", "0.00"};
};

// The unit names that each area holds, in the area's order of arrival (trashed tokens excluded).
struct TAreaNames {
  std::vector<std::string> Numerator;
  std::vector<std::string> Denominator;
};

// Sums the powers of `unitNames` from `powers` into `sum` and shows it in `row`: the sum starts
// at zero and each component is rounded to single precision after every name. Throws EOverflow
// when a stored power or a sum is beyond range; what was reached until then stays changed (the
// sum is already reset, the row is not yet written).
void SumArea(std::span<const std::string> unitNames, const PowerSource& powers, TPowerVector& sum,
             TResultRow& row);

// "Evaluate numerator": recomputes NumeratorSum from one reading of the catalogue and shows it.
void EvaluateNumerator(const TAreaNames& areas, const UnitCatalogue& catalogue,
                       TEvaluationState& state);

// "Evaluate denominator": recomputes DenominatorSum and shows it.
void EvaluateDenominator(const TAreaNames& areas, const UnitCatalogue& catalogue,
                         TEvaluationState& state);

// "Evaluate resultant": the numerator sum, then the denominator sum, then ResultantPowers as
// their difference rounded to single precision, shown component by component. Reads the
// catalogue once for both areas. Throws EOverflow as SumArea does, or when a difference is beyond
// single-precision range.
void EvaluateResultant(const TAreaNames& areas, const UnitCatalogue& catalogue,
                       TEvaluationState& state);

}  // namespace calpero
