#include "calc/evaluation.h"

#include <cmath>
#include <cstddef>

#include "catalogue/catalogue_reading.h"
#include "catalogue/errors.h"
#include "catalogue/power_keys.h"
#include "catalogue/unit_catalogue.h"

namespace calpero {
namespace {

// The smallest magnitude that no longer rounds to a finite float: FLT_MAX plus half a unit in
// its last place, 2^128 - 2^103. A value just above FLT_MAX but below this rounds down to FLT_MAX
// and is stored, as a store to single precision does.
constexpr long double kSingleOverflowBound = 0x1.ffffffp+127L;

// Stores a result computed at extended precision in single precision, rounding once, and raises
// EOverflow when it would not fit. Extended precision keeps the low bits of a sum that double
// precision would round away first: 1 plus a power just above 2^-24 would otherwise land on the
// half-way point between two floats and round down to 1. The bound is checked first because
// converting an out-of-range value is not defined in C++.
float StoreSingle(long double value) {
  if (std::fabs(value) >= kSingleOverflowBound) {
    throw EOverflow();
  }
  return static_cast<float>(value);
}

void ShowVector(const TPowerVector& vector, TResultRow& row) {
  for (std::size_t component = 0; component < row.size(); ++component) {
    row.at(component) = FormatPower(vector[component]);
  }
}

std::vector<std::string> AllNames(const TAreaNames& areas) {
  std::vector<std::string> names = areas.Numerator;
  names.insert(names.end(), areas.Denominator.begin(), areas.Denominator.end());
  return names;
}

}  // namespace

void SumArea(std::span<const std::string> unitNames, const PowerSource& powers, TPowerVector& sum,
             TResultRow& row) {
  sum = TPowerVector{};
  for (const std::string& name : unitNames) {
    for (std::size_t component = 0; component < kPowerKeys.size(); ++component) {
      const double power = powers.ReadPower(name, kPowerKeys.at(component));
      sum[component] =
          StoreSingle(static_cast<long double>(sum[component]) + static_cast<long double>(power));
    }
  }
  ShowVector(sum, row);
}

void EvaluateNumerator(const TAreaNames& areas, const PowerSource& powers,
                       TEvaluationState& state) {
  SumArea(areas.Numerator, powers, state.NumeratorSum, state.ResultRow);
}

void EvaluateDenominator(const TAreaNames& areas, const PowerSource& powers,
                         TEvaluationState& state) {
  SumArea(areas.Denominator, powers, state.DenominatorSum, state.ResultRow);
}

void EvaluateResultant(const TAreaNames& areas, const PowerSource& powers,
                       TEvaluationState& state) {
  EvaluateNumerator(areas, powers, state);
  EvaluateDenominator(areas, powers, state);
  // Stored and shown one component at a time, so an overflow leaves the earlier components
  // showing the resultant and the later ones still showing the denominator.
  for (std::size_t component = 0; component < state.ResultRow.size(); ++component) {
    state.ResultantPowers[component] =
        StoreSingle(static_cast<long double>(state.NumeratorSum[component]) -
                    static_cast<long double>(state.DenominatorSum[component]));
    state.ResultRow.at(component) = FormatPower(state.ResultantPowers[component]);
  }
}

void EvaluateNumerator(const TAreaNames& areas, const UnitCatalogue& catalogue,
                       TEvaluationState& state) {
  EvaluateNumerator(areas, catalogue.ReadUnits(areas.Numerator), state);
}

void EvaluateDenominator(const TAreaNames& areas, const UnitCatalogue& catalogue,
                         TEvaluationState& state) {
  EvaluateDenominator(areas, catalogue.ReadUnits(areas.Denominator), state);
}

void EvaluateResultant(const TAreaNames& areas, const UnitCatalogue& catalogue,
                       TEvaluationState& state) {
  EvaluateResultant(areas, catalogue.ReadUnits(AllNames(areas)), state);
}

}  // namespace calpero
