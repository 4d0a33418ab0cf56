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
// at zero and each component is rounded to single precision after every name, once (sum =
// float(sum + power), the addition made at extended precision, long double), reading Mass,
// Length, Temperature, Time for each name in turn. Throws EOverflow when `powers` raises it or
// when a sum would round beyond the single-precision range (a sum that rounds to the largest
// float is stored); what was reached until then stays changed (the sum is already reset and holds
// the components stored so far, the row is not yet written).
void SumArea(std::span<const std::string> unitNames, const PowerSource& powers, TPowerVector& sum,
             TResultRow& row);

// "Evaluate numerator": recomputes NumeratorSum from `powers` and shows it in the result row.
// Throws EOverflow as SumArea does; ResultantPowers is never touched.
void EvaluateNumerator(const TAreaNames& areas, const PowerSource& powers, TEvaluationState& state);

// "Evaluate denominator": recomputes DenominatorSum from `powers` and shows it.
// Throws EOverflow as SumArea does; ResultantPowers is never touched.
void EvaluateDenominator(const TAreaNames& areas, const PowerSource& powers,
                         TEvaluationState& state);

// "Evaluate resultant": the numerator sum (shown), then the denominator sum (shown), then for
// Mass, Length, Temperature and Time in turn, ResultantPowers' component as the difference of the
// two sums rounded to single precision, stored and then shown in its place of the row. Throws
// EOverflow as SumArea does, or when a difference is beyond single-precision range; the components
// before it keep their new values and texts, the later ones their old values and the row there
// still shows the denominator sum.
void EvaluateResultant(const TAreaNames& areas, const PowerSource& powers, TEvaluationState& state);

// The same three evaluations on the catalogue: each reads the file once, for the names of the
// areas it visits (catalogue.ReadUnits), and then proceeds as above. Throw EOverflow as above.
void EvaluateNumerator(const TAreaNames& areas, const UnitCatalogue& catalogue,
                       TEvaluationState& state);
void EvaluateDenominator(const TAreaNames& areas, const UnitCatalogue& catalogue,
                         TEvaluationState& state);
void EvaluateResultant(const TAreaNames& areas, const UnitCatalogue& catalogue,
                       TEvaluationState& state);

}  // namespace calpero
