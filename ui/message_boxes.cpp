#include "ui/message_boxes.h"

#include <string>
#include <variant>
#include <vector>

#include <QApplication>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>

#include "catalogue/errors.h"
#include "catalogue/messages.h"
#include "window/error_text.h"

namespace calpero {
namespace {

// The most that a quoted text (a field, a path, a name) takes of a message box's line: a longer
// one is shortened in the middle, so that a pasted page of digits cannot stretch the box past the
// screen with its text running off.
constexpr int kQuoteRoom = 240;

QString Quoted(const std::string& text) {
  return QFontMetrics(QApplication::font("QMessageBox"))
      .elidedText(QString::fromStdString(text), Qt::ElideMiddle, kQuoteRoom);
}

// One place of a message as the window shows it: a quoted text shortened to fit, another message
// in the window's language.
QString ShownArgument(const MessageArgument& argument) {
  if (const auto* text = std::get_if<std::string>(&argument)) {
    return Quoted(*text);
  }
  if (const auto* quoted = std::get_if<QuotedText>(&argument)) {
    return Quoted(quoted->Shown);
  }
  return TranslatedMessage(std::get<MessageId>(argument));
}

// The error's message in the window's language, its quoted texts put in as they were. A text of
// the command-line tool's own shows as it is.
QString TranslatedMessage(const Exception& error) {
  if (error.Id() == MessageId::Text) {
    return QString::fromStdString(error.Message());
  }
  QString translated = TranslatedMessage(error.Id());
  const std::vector<MessageArgument>& arguments = error.Arguments();
  // Both places are filled in one call, so that a quoted text holding "%2" stays as it is.
  switch (arguments.size()) {
    case 0:
      return translated;
    case 1:
      return translated.arg(ShownArgument(arguments.front()));
    default:
      return translated.arg(ShownArgument(arguments.at(0)), ShownArgument(arguments.at(1)));
  }
}

void ShowErrorBox(const QString& text) {
  QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, QApplication::activeWindow());
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace

QString TranslatedMessage(MessageId id) {
  const MessagePattern& pattern = PatternOf(id);
  return QCoreApplication::translate(pattern.Context, pattern.English);
}

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
  const QByteArray text = TranslatedMessage(*own).toUtf8();
  ShowErrorBox(QString::fromStdString(ErrorBoxText(std::string_view(text.data(), text.size()))));
}

void ShowDefaultError() { ShowErrorBox(QString()); }

}  // namespace calpero
