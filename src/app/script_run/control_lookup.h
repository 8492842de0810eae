// The controls of a window by the names a script gives them: a field by the
// label in front of it (its accessible name, or a caption label beside it
// in its layout row, as "Измерений:" names the count beside it) or its form
// name, a check box or a radio group also by its own caption, a button by
// its caption or its form name, a page by its tab's caption. Nothing here
// knows a window's members: only object names, widget kinds and the texts
// the operator reads.
#pragma once

#include <QString>

class QAbstractItemView;
class QTabWidget;
class QWidget;

namespace scriptrun {

enum class Role {
  Field,    // line edits, labels, combo boxes, check boxes, radio groups, memos, lists, grids
  Button,   // push and tool buttons
  Control,  // any of these, for a caption or the enabled state
};

struct Found {
  QWidget* control = nullptr;  // null when nothing or several controls answer to the name
  QString problem;             // then: why, naming the candidates
};

// The page control of a window, or null when it has none.
QTabWidget* pagesOf(QWidget* window);

// The controls on the shown page and the window's own (the status panel, the
// password) are looked at first; only when none of them answers are the
// other pages. Several answers at the same stage are no answer.
Found findControl(QWidget* window, Role role, const QString& name);

// The index of the tab with this caption, or -1.
int findPage(const QTabWidget* pages, const QString& caption);

// The index of the page a control stands on, or -1 for the window's own.
int pageOf(const QTabWidget* pages, const QWidget* control);

// The name a script gives the control: the first of its accessible name, a
// caption beside it, its own caption and its form name that finds it again
// in the window as it is now; empty when none does.
QString scriptName(QWidget* window, Role role, QWidget* control);

// The caption a control carries itself, without its mnemonic: a button's, a
// check box's, a group's title, a label's text; empty for other kinds.
QString ownCaption(const QWidget* control);

// What an expectation compares: the text a field shows; a check box's "да"
// or "нет"; a group's chosen item; a list's or a grid's rows, one per line.
QString shownText(const QWidget* control);

// A cell of a list or a grid, counted from 0 as the view counts (a grid's
// header row is its row 0); column -1: the row's cells joined by " | ".
// Outside the view: empty, with why in `problem`.
QString cellText(const QAbstractItemView* view, int row, int column, QString& problem);

// The number of the row whose first cell carries a picture (a list's bulb),
// or empty when none does.
QString markedRow(const QAbstractItemView* view);

}  // namespace scriptrun
