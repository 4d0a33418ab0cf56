#include "ui/message_boxes.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>

#include "catalogue/errors.h"
#include "window/error_text.h"

namespace calpero {
namespace {

// The program's own error messages, as the toolkit-free code builds them in English, with "%1"
// and "%2" where they quote a path, a field's text, a unit name or an index. A message is shown
// translated as a whole, the quoted texts put back as they were.
constexpr std::array kMessagePatterns = {
    // Those that name the catalogue or the backup before the one that names a unit in their
    // place.
    QT_TRANSLATE_NOOP("Errors", "Nothing undone: another program has changed the catalogue since"),
    QT_TRANSLATE_NOOP("Errors", "Nothing redone: another program has changed the catalogue since"),
    QT_TRANSLATE_NOOP("Errors", "Nothing undone: another program has changed the backup since"),
    QT_TRANSLATE_NOOP("Errors", "Nothing redone: another program has changed the backup since"),
    QT_TRANSLATE_NOOP("Errors", "Nothing undone: another program has changed %1 since"),
    QT_TRANSLATE_NOOP("Errors", "Nothing redone: another program has changed %1 since"),
    QT_TRANSLATE_NOOP("Errors", "Unable to write to %1"),
    QT_TRANSLATE_NOOP("Errors", "'%1' is not a valid floating point value"),
    QT_TRANSLATE_NOOP("Errors", "'%1' is too large for a power"),
    QT_TRANSLATE_NOOP("Errors", "Floating point overflow"),
    QT_TRANSLATE_NOOP("Errors", "List index out of bounds (%1)"),
    QT_TRANSLATE_NOOP("Errors", "The unit name '%1' cannot be stored: %2"),
};

// Why a unit name cannot be stored: the "%2" of the last pattern, translated in its turn.
constexpr std::array kUnitNameProblems = {
    QT_TRANSLATE_NOOP("Errors", "it is empty"),
    QT_TRANSLATE_NOOP("Errors", "it contains a NUL character"),
    QT_TRANSLATE_NOOP("Errors", "it contains a line break"),
    QT_TRANSLATE_NOOP("Errors", "it contains ']'"),
    QT_TRANSLATE_NOOP("Errors", "it begins with a space or tab"),
    QT_TRANSLATE_NOOP("Errors", "it ends with a space or tab"),
};

QString TranslatedQuote(const std::string& quoted) {
  for (const char* problem : kUnitNameProblems) {
    if (quoted == problem) {
      return QCoreApplication::translate("Errors", problem);
    }
  }
  return QString::fromStdString(quoted);
}

// The most that a quoted text (a field, a path, a name) takes of a message box's line: a longer
// one is shortened in the middle, so that a pasted page of digits cannot stretch the box past the
// screen with its text running off.
constexpr int kQuoteRoom = 240;

QString Quoted(const std::string& text) {
  return QFontMetrics(QApplication::font("QMessageBox"))
      .elidedText(QString::fromStdString(text), Qt::ElideMiddle, kQuoteRoom);
}

// `message` in the window's language; a message of no known pattern as it is.
QString TranslatedMessage(const std::string& message) {
  for (const char* pattern : kMessagePatterns) {
    const std::optional<std::vector<std::string>> quoted = MatchMessagePattern(message, pattern);
    if (!quoted) {
      continue;
    }
    QString translated = QCoreApplication::translate("Errors", pattern);
    switch (quoted->size()) {
      case 0:
        return translated;
      case 1:
        return translated.arg(Quoted(quoted->front()));
      default:
        return translated.arg(Quoted(quoted->at(0)), TranslatedQuote(quoted->at(1)));
    }
  }
  return QString::fromStdString(message);
}

void ShowErrorBox(const QString& text) {
  QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, QApplication::activeWindow());
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace

int ShowMessageBox(QWidget* parent, const QString& text, const QString& caption, int flags) {
  QMessageBox box(parent);
  box.setWindowTitle(caption);
  box.setText(text);
  box.setWindowModality(Qt::ApplicationModal);
  if (flags == kMessageFlagsYesNo) {
    box.setIcon(QMessageBox::NoIcon);
    QPushButton* yes = box.addButton(QMessageBox::Yes);
    box.addButton(QMessageBox::No);
    box.setDefaultButton(yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? kMessageYes : kMessageNo;
  }
  box.setIcon(flags == kMessageFlagsWarning ? QMessageBox::Warning : QMessageBox::NoIcon);
  box.addButton(QMessageBox::Ok);
  box.exec();
  return kMessageOk;
}

void ShowDefaultError(const std::exception& error) {
  // Only the program's own errors carry a message meant for the user; anything else (an
  // allocation failure, a library's internal error) is shown as an empty message, as the
  // program has always done, rather than exposing an implementation detail.
  const auto* own = dynamic_cast<const Exception*>(&error);
  if (own == nullptr) {
    ShowErrorBox(QString());
    return;
  }
  const QByteArray text = TranslatedMessage(own->Message()).toUtf8();
  ShowErrorBox(QString::fromStdString(ErrorBoxText(std::string_view(text.data(), text.size()))));
}

void ShowDefaultError() { ShowErrorBox(QString()); }

}  // namespace calpero
