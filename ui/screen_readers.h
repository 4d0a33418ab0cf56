#pragma once

// What screen readers hear of the windows beyond what the toolkit tells them: the names of the
// controls, and the sentence that tells the result of an action.

#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace calpero {

// Makes the program's own controls known to screen readers as what they are (the power labels,
// the announcer, the unit list). Run before the first of them is made: the toolkit keeps the
// first description of a control that anything asked for.
void InstallOwnAccessibleFactory();

// How long, in milliseconds, a change that comes in bursts (the list's moves, the powers that they
// show) must rest before screen readers are told of it.
constexpr int kSettleMs = 100;

// Names the controls of `window` for screen readers, where their caption does not already: a
// control with a hint is described by the hint and named by its meaning (HintMeaning); an edit
// that a label is the buddy of is named by that label; a power label is read with its quantity
// ("Mass 1.00"), following its text. Run once the window's controls are built; controls made
// later name themselves.
void NameForScreenReaders(QWidget* window);

// Tells screen readers the result of an action in one sentence, without moving the focus and
// without drawing anything. Qt (before 6.8) has no announcement of its own, so the announcer is a
// control of no size that screen readers see as a notification named by the sentence, shown anew
// for each sentence: on Linux an AT-SPI object of the notification role that reports
// "object:state-changed:showing", which Orca speaks whatever has the focus (it drops name and
// description changes of any object but the focused one).
class TAnnouncer : public QWidget {
  Q_OBJECT

 public:
  // Places the announcer, of no size, in `window`, so that it belongs to that window's
  // accessibility tree.
  explicit TAnnouncer(QWidget* window);

  // Tells `sentence` once the event being handled is done. Of the sentences told while one event
  // is handled only the last is told: a handler that runs another one (a placement runs the
  // resultant's evaluation) speaks last, for the whole action. An empty sentence is not told.
  void Announce(const QString& sentence);

  // Tells `sentence` once the list's moves have settled: when no other sentence has come for
  // kSettleMs. A burst of moves (a key held down, keys pressed in quick succession) is told once,
  // by its last sentence; a sentence told with Announce meanwhile replaces it.
  void AnnounceSettled(const QString& sentence);

  // Tells the sentence waiting for the moves to settle now, if one waits: the list knows the
  // pace of its keys and tells when a burst of them is over, often before kSettleMs has passed.
  void TellSettledNow();

  // Tells `note` after the sentence of the event being handled, or alone when the event tells
  // none: what the user should hear beside the result (a stored value that could not be read).
  // Notes of one event are told in order.
  void AnnounceNote(const QString& note);

  // The sentence told last: the notification's name. Empty before the first.
  QString Sentence() const { return accessibleName(); }

 signals:
  // A sentence has just been told to screen readers.
  void Told(const QString& sentence);

 private:
  void Deliver();

  QString pending_;
  QStringList notes_;
  QTimer delivery_;  // fires once the event being handled is done
  QTimer settled_;   // fires once the moves have rested for kSettleMs
};

}  // namespace calpero
