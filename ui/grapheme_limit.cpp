#include "ui/grapheme_limit.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QTextBoundaryFinder>

namespace calpero {
namespace {

// The positions of the grapheme boundaries of `text` after its start, in order; the last is its
// end.
std::vector<qsizetype> GraphemeEnds(const QString& text) {
  std::vector<qsizetype> ends;
  QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
  for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary()) {
    ends.push_back(at);
  }
  return ends;
}

// The longest start of `text` of at most `count` whole graphemes.
QString FirstGraphemes(const QString& text, qsizetype count) {
  const std::vector<qsizetype> ends = GraphemeEnds(text);
  if (count <= 0) {
    return {};
  }
  if (std::cmp_less_equal(ends.size(), count)) {
    return text;
  }
  return text.left(ends.at(static_cast<std::size_t>(count - 1)));
}

}  // namespace

qsizetype GraphemeCount(const QString& text) {
  return static_cast<qsizetype>(GraphemeEnds(text).size());
}

TGraphemeLimit::TGraphemeLimit(qsizetype limit, QObject* parent)
    : QValidator(parent), limit_(limit) {}

QValidator::State TGraphemeLimit::validate(QString& input, int& pos) const {
  if (GraphemeCount(input) <= limit_) {
    accepted_ = input;
    return Acceptable;
  }
  // The edit put new text before the cursor, in place of a stretch of the text let through
  // before: what the two share at their start stays, and so does everything after the cursor.
  const qsizetype cursor = std::clamp<qsizetype>(pos, 0, input.size());
  qsizetype start = 0;
  while (start < cursor && start < accepted_.size() && accepted_.at(start) == input.at(start)) {
    ++start;
  }
  const QString head = input.left(start);
  const QString inserted = input.mid(start, cursor - start);
  const QString tail = input.mid(cursor);
  // The most whole characters of the insertion that keep the text within the limit; one more
  // character never makes fewer, so the search halves the range each step.
  const std::vector<qsizetype> ends = GraphemeEnds(inserted);
  std::size_t low = 0;
  std::size_t high = ends.size();
  const auto fits = [&](std::size_t kept) {
    const qsizetype length = kept == 0 ? 0 : ends.at(kept - 1);
    return GraphemeCount(head + inserted.left(length) + tail) <= limit_;
  };
  while (low < high) {
    const std::size_t middle = (low + high + 1) / 2;
    if (fits(middle)) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  const QString kept = low == 0 ? QString() : inserted.left(ends.at(low - 1));
  input = head + kept + tail;
  pos = static_cast<int>(head.size() + kept.size());
  if (GraphemeCount(input) > limit_) {
    // Text given whole (not typed) that was too long before the insertion too.
    input = FirstGraphemes(input, limit_);
    pos = std::min(pos, static_cast<int>(input.size()));
  }
  accepted_ = input;
  return Acceptable;
}

}  // namespace calpero
