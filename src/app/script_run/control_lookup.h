// The main window's controls by the names a script gives them: a field by the
// label in front of it (its accessible name) or its form name, a check box or
// a radio group also by its own caption, a button by its caption or its form
// name, a page by its tab's caption.
#pragma once

#include <QString>

class QTabWidget;
class QWidget;

namespace scriptrun {

enum class Role {
  Field,   // line edits, labels, combo boxes, check boxes, radio groups, memos
  Button,  // push and tool buttons
};

struct Found {
  QWidget* control = nullptr;  // null when nothing or several controls answer to the name
  QString problem;             // then: why, naming the candidates
};

// The controls on the shown page and the window's own (the status panel, the
// password) are looked at first; only when none of them answers are the
// other pages. Several answers at the same stage are no answer.
Found findControl(QWidget* window, const QTabWidget* pages, Role role, const QString& name);

// The index of the tab with this caption, or -1.
int findPage(const QTabWidget* pages, const QString& caption);

// The index of the page a control stands on, or -1 for the window's own.
int pageOf(const QTabWidget* pages, const QWidget* control);

}  // namespace scriptrun
