#include "ui/spoken_results.h"

#include <QCoreApplication>

#include "catalogue/errors.h"

namespace calpero {
namespace {

// A power's text as the window shows it, with a leading minus sign as a word.
QString SpokenPower(const std::string& shown) {
  if (shown.starts_with('-')) {
    return QCoreApplication::translate("SpokenResults", "minus %1")
        .arg(QString::fromStdString(shown.substr(1)));
  }
  return QString::fromStdString(shown);
}

QString AreaName(THolder area) {
  return area == THolder::Denominator ? QCoreApplication::translate("SpokenResults", "denominator")
                                      : QCoreApplication::translate("SpokenResults", "numerator");
}

// The sentence `sentence` (unit %1, area %2, powers %3) about `area`, with the area's powers as
// its evaluation would show them, worked out apart from the window's own evaluation state, which
// a token taken off with "Delete" leaves as it was. An area whose sum overflows is told without
// powers: telling must not raise an error that the action itself did not.
QString AreaSentence(const QString& sentence, const QString& withoutPowers, const std::string& unit,
                     THolder area, const TWorkArea& workArea, const UnitCatalogue& catalogue) {
  TEvaluationState scratch;
  try {
    if (area == THolder::Denominator) {
      EvaluateDenominator(workArea.AreaNames(), catalogue, scratch);
    } else {
      EvaluateNumerator(workArea.AreaNames(), catalogue, scratch);
    }
  } catch (const EOverflow&) {
    return withoutPowers.arg(QString::fromStdString(unit), AreaName(area));
  }
  return sentence.arg(QString::fromStdString(unit), AreaName(area),
                      SpokenPowers(scratch.ResultRow));
}

}  // namespace

QString SpokenPowers(const TResultRow& powers) {
  return QCoreApplication::translate("SpokenResults", "mass %1, length %2, temperature %3, time %4")
      .arg(SpokenPower(powers[0]), SpokenPower(powers[1]), SpokenPower(powers[2]),
           SpokenPower(powers[3]));
}

QString UnitShownSentence(const std::string& unit, const TResultRow& powers) {
  return QCoreApplication::translate("SpokenResults", "%1: %2.")
      .arg(QString::fromStdString(unit), SpokenPowers(powers));
}

QString TokenPlacedSentence(const TUnitToken& token, bool moved, const TWorkArea& workArea,
                            const UnitCatalogue& catalogue) {
  if (moved) {
    return AreaSentence(
        QCoreApplication::translate("SpokenResults", "%1 moved to the %2. The %2 now: %3."),
        QCoreApplication::translate("SpokenResults", "%1 moved to the %2."), token.Caption,
        token.Holder, workArea, catalogue);
  }
  return AreaSentence(
      QCoreApplication::translate("SpokenResults", "%1 placed in the %2. The %2 now: %3."),
      QCoreApplication::translate("SpokenResults", "%1 placed in the %2."), token.Caption,
      token.Holder, workArea, catalogue);
}

QString TokenTakenOffSentence(const std::string& unit, THolder area, const TWorkArea& workArea,
                              const UnitCatalogue& catalogue) {
  return AreaSentence(
      QCoreApplication::translate("SpokenResults", "%1 taken off the %2. The %2 now: %3."),
      QCoreApplication::translate("SpokenResults", "%1 taken off the %2."), unit, area, workArea,
      catalogue);
}

QString EvaluationSentence(TEvaluated evaluated, const TResultRow& powers,
                           std::span<const std::string> matches) {
  QString what = QCoreApplication::translate("SpokenResults", "Resultant");
  if (evaluated == TEvaluated::Numerator) {
    what = QCoreApplication::translate("SpokenResults", "Numerator");
  } else if (evaluated == TEvaluated::Denominator) {
    what = QCoreApplication::translate("SpokenResults", "Denominator");
  }
  if (matches.empty()) {
    return QCoreApplication::translate("SpokenResults", "%1: %2.").arg(what, SpokenPowers(powers));
  }
  QStringList names;
  for (const std::string& match : matches) {
    names.append(QString::fromStdString(match));
  }
  return QCoreApplication::translate("SpokenResults", "%1: %2; same as %3.")
      .arg(what, SpokenPowers(powers), names.join(QStringLiteral(", ")));
}

QString WorkAreaClearedSentence() {
  return QCoreApplication::translate("SpokenResults", "Work area cleared.");
}

QString UnitErasedSentence(const std::string& unit) {
  return QCoreApplication::translate("SpokenResults", "%1 erased from the catalogue.")
      .arg(QString::fromStdString(unit));
}

QString UnitSavedSentence(const std::string& unit, bool replaced) {
  const QString sentence =
      replaced ? QCoreApplication::translate("SpokenResults", "%1 replaced in the catalogue.")
               : QCoreApplication::translate("SpokenResults", "%1 saved in the catalogue.");
  return sentence.arg(QString::fromStdString(unit));
}

QString UnitCountSentence(std::size_t count) {
  if (count == 0) {
    return QCoreApplication::translate("SpokenResults", "No units.");
  }
  if (count == 1) {
    return QCoreApplication::translate("SpokenResults", "1 unit.");
  }
  return QCoreApplication::translate("SpokenResults", "%1 units.").arg(count);
}

QString BackupMadeSentence() {
  return QCoreApplication::translate("SpokenResults", "Catalogue backed up.");
}

QString CatalogueRestoredSentence() {
  return QCoreApplication::translate("SpokenResults", "Catalogue restored from the backup.");
}

QString ChangeStepSentence(const TChangeStep& step) {
  const bool undo = step.Direction == ChangeDirection::Undo;
  const auto text = [](const char* source) {
    return QCoreApplication::translate("SpokenResults", source);
  };
  if (step.Result == TChangeStep::TResult::Nothing) {
    return undo ? text(QT_TRANSLATE_NOOP("SpokenResults", "Nothing to undo."))
                : text(QT_TRANSLATE_NOOP("SpokenResults", "Nothing to redo."));
  }
  QString sentence;
  switch (step.Kind) {
    case TChangeKind::Erase:
      sentence =
          undo ? text(QT_TRANSLATE_NOOP("SpokenResults", "%1 restored to the catalogue."))
               : text(QT_TRANSLATE_NOOP("SpokenResults", "%1 erased from the catalogue again."));
      break;
    case TChangeKind::Save:
      sentence = undo
                     ? text(QT_TRANSLATE_NOOP("SpokenResults", "Undid the save of %1."))
                     : text(QT_TRANSLATE_NOOP("SpokenResults", "%1 saved in the catalogue again."));
      break;
    case TChangeKind::Replace:
      sentence =
          undo ? text(QT_TRANSLATE_NOOP("SpokenResults", "Old powers of %1 back in the catalogue."))
               : text(QT_TRANSLATE_NOOP("SpokenResults", "%1 replaced in the catalogue again."));
      break;
    case TChangeKind::Restore:
      return undo ? text(QT_TRANSLATE_NOOP("SpokenResults", "Undid the restore."))
                  : text(QT_TRANSLATE_NOOP("SpokenResults",
                                           "Catalogue restored from the backup again."));
    case TChangeKind::Backup:
      return undo ? text(QT_TRANSLATE_NOOP("SpokenResults", "Undid the backup."))
                  : text(QT_TRANSLATE_NOOP("SpokenResults", "Catalogue backed up again."));
  }
  return sentence.arg(QString::fromStdString(step.Unit));
}

}  // namespace calpero
