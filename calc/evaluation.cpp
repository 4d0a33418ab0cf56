#include "calc/evaluation.h"

#include <cstddef>

#include "catalogue/catalogue_reading.h"
#include "catalogue/power_keys.h"
#include "catalogue/unit_catalogue.h"

namespace calpero {
namespace {

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
