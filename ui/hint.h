#pragma once

#include <span>
#include <string>

#include <QString>

class QWidget;

namespace calpero {

// A control's hint, the text that the status bar shows while the pointer is over it. Kept in a
// property of our own rather than as a tool tip, because only the main toolbar pops its hints up.
// A screen reader's description of the control that was taken from its former hint follows the
// new one, so a hint that changes while the program runs is read out as it is shown.
void SetHint(QWidget* widget, const QString& hint);

// The control's own hint; empty when it has none.
QString HintOf(const QWidget* widget);

// The part of the control's own hint that the status bar shows (after its first "|"); empty when
// it has none.
QString ShownHintOf(const QWidget* widget);

// What the status bar shows for the pointer over `widget`: the hint of the widget or of the
// nearest enclosing widget that has one, the part after its first "|"; empty when none has one
// or `widget` is null.
QString StatusTextFor(const QWidget* widget);

// The hint of the toolbar's panel, which titles the resultant powers, in the window's language:
// the plain title, or the units of the catalogue that have the resultant's powers (`matches`,
// UTF-8) after the "|" divider (see ResultantPowersHint).
QString ResultantPowersHintText(std::span<const std::string> matches);

}  // namespace calpero
