#include "ui/window_shortcuts.h"

#include <functional>
#include <utility>

#include <QAbstractButton>
#include <QAction>
#include <QKeyEvent>
#include <QShortcut>

#include "ui/main_form.h"
#include "ui/message_boxes.h"
#include "window/window_keys.h"

namespace calpero {
namespace {

QKeySequence::StandardKey QtStandardKey(TStandardKey key) {
  return key == TStandardKey::Find ? QKeySequence::Find : QKeySequence::New;
}

QShortcut* MakeShortcut(TMainForm& form, const TWindowKey& key) {
  QWidget* owner = &form;
  if (key.Scope == TKeyScope::UnitList) {
    owner = form.Controls().UnitsListBox;
  }
  auto* shortcut =
      key.Standard == TStandardKey::None
          ? new QShortcut(QKeySequence(QString::fromLatin1(
                              key.Keys.data(), static_cast<qsizetype>(key.Keys.size()))),
                          owner)
          : new QShortcut(QtStandardKey(key.Standard), owner);
  shortcut->setContext(key.Scope == TKeyScope::UnitList ? Qt::WidgetShortcut : Qt::WindowShortcut);
  // A key held down must not add, take off or evaluate over and over.
  shortcut->setAutoRepeat(false);
  return shortcut;
}

// A click on `button` runs its own handler, and nothing at all while it is disabled.
std::function<void()> Press(QAbstractButton* button) {
  return [button] { button->click(); };
}

std::function<void()> Trigger(QAction* item) {
  return [item] {
    if (item->isEnabled()) {
      item->trigger();
    }
  };
}

void FocusFindBox(QLineEdit* find) {
  find->setFocus(Qt::ShortcutFocusReason);
  find->selectAll();
}

std::function<void()> ActionFor(TMainForm& form, TWindowCommand command) {
  const TMainFormControls& c = form.Controls();
  switch (command) {
    case TWindowCommand::FindUnit:
      return [find = c.FindEdit] { FocusFindBox(find); };
    case TWindowCommand::AddToNumerator:
      return Press(c.AddToNrButton);
    case TWindowCommand::AddToDenominator:
      return Press(c.AddToDrButton);
    case TWindowCommand::EvaluateResultant:
      return Press(c.BothToolButton);
    case TWindowCommand::EvaluateNumerator:
      return Press(c.NToolButton);
    case TWindowCommand::EvaluateDenominator:
      return Press(c.DToolButton);
    case TWindowCommand::NewUnit:
      return Press(c.NewVariableToolButton);
    case TWindowCommand::BackUp:
      return Press(c.BackFilesUpToolButton);
    case TWindowCommand::Restore:
      return Trigger(c.RestoreMenuItem);
    case TWindowCommand::ClearWorkArea:
      return Press(c.ClearWorkAreaToolButton);
    case TWindowCommand::TakeOffNumerator:
      return [&form] { RunHandler([&form] { form.DeleteNewestToken(THolder::Numerator); }); };
    case TWindowCommand::TakeOffDenominator:
      return [&form] { RunHandler([&form] { form.DeleteNewestToken(THolder::Denominator); }); };
    case TWindowCommand::Undo:
      return [&form] { RunHandler([&form] { form.UndoChange(); }); };
    case TWindowCommand::Redo:
      return [&form] { RunHandler([&form] { form.RedoChange(); }); };
    case TWindowCommand::EraseUnit:
      return [&form] { RunHandler([&form] { form.EraseCurrentUnit(); }); };
  }
  return [] {};
}

// Keeps the window's keys away from an edit that would take them as its own editing keys (some
// desktops move to the end of the line with Ctrl+E), so they act wherever the focus is.
// That includes Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y in the find box, which would otherwise undo its
// typing: the find box only picks a unit of the list, so its text costs nothing to type again,
// while a change to the catalogue is the user's data. Someone who erased a unit and typed in the
// find box meanwhile (to look for the next one to erase) expects Ctrl+Z to bring the unit back,
// not to take back a letter, and a key that did either depending on where the focus happened to
// be could not be relied on.
class TWindowKeysFirst : public QObject {
 public:
  TWindowKeysFirst(QObject* parent, QList<QKeySequence> keys)
      : QObject(parent), keys_(std::move(keys)) {}

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride) {
      return false;
    }
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    return keys_.contains(pressed);
  }

 private:
  QList<QKeySequence> keys_;
};

}  // namespace

void InstallWindowShortcuts(TMainForm& form) {
  QList<QKeySequence> keys;
  for (const TWindowKey& key : WindowKeys()) {
    QShortcut* shortcut = MakeShortcut(form, key);
    if (key.Scope == TKeyScope::Window) {
      keys += shortcut->keys();
    }
    QObject::connect(shortcut, &QShortcut::activated, &form, ActionFor(form, key.Command));
  }
  form.Controls().FindEdit->installEventFilter(new TWindowKeysFirst(&form, keys));
  const TMainFormControls& c = form.Controls();
  QObject::connect(c.FindEdit, &QLineEdit::returnPressed, &form, [&form, list = c.UnitsListBox] {
    if (list->CurrentIndex()) {
      RunHandler([&form] { form.UnitsListBoxClick(); });
    }
  });
}

}  // namespace calpero
