#pragma once

#include <QString>
#include <QValidator>

namespace calpero {

// The number of characters that a person sees in `text`: its grapheme clusters (a base letter
// with its combining marks, an emoji with its modifiers, a flag), as QTextBoundaryFinder finds
// them.
qsizetype GraphemeCount(const QString& text);

// Keeps a line edit's text within a number of characters as a person counts them
// (GraphemeCount), where the edit's own length limit counts UTF-16 units and would cut an emoji
// in half, leaving a replacement character that the user never typed, or drop a combining mark
// that only changes the letter before it. An edit that would pass the limit keeps as much of what
// it inserted as fits, ending at a character's edge; typing at the limit changes nothing, as with
// the edit's own limit. What the field shows is always whole characters, and is what it gives.
class TGraphemeLimit : public QValidator {
  Q_OBJECT

 public:
  TGraphemeLimit(qsizetype limit, QObject* parent);

  State validate(QString& input, int& pos) const override;

 private:
  qsizetype limit_;
  // The text last let through: an edit inserts what lies between its common start and the
  // cursor, so that only the new part is cut.
  mutable QString accepted_;
};

}  // namespace calpero
