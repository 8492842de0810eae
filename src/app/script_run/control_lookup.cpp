#include "script_run/control_lookup.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStringList>
#include <QTabWidget>

#include "widgets/keyboard_path.h"
#include "widgets/radio_group.h"

namespace scriptrun {
namespace {

bool isField(const QWidget* w) {
  return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QLabel*>(w) || qobject_cast<const QComboBox*>(w) ||
         qobject_cast<const QCheckBox*>(w) || qobject_cast<const RadioGroup*>(w) ||
         qobject_cast<const QPlainTextEdit*>(w);
}

// The caption a control carries itself, where it names the control.
QString ownCaption(const QWidget* w, Role role) {
  if (role == Role::Button) return keyboardpath::withoutMnemonic(static_cast<const QAbstractButton*>(w)->text());
  if (const auto* box = qobject_cast<const QCheckBox*>(w)) return keyboardpath::withoutMnemonic(box->text());
  if (const auto* group = qobject_cast<const RadioGroup*>(w)) return keyboardpath::withoutMnemonic(group->title());
  return {};
}

bool hasRole(const QWidget* w, Role role) {
  if (role == Role::Field) return isField(w);
  return qobject_cast<const QAbstractButton*>(w) && !qobject_cast<const QCheckBox*>(w) &&
         !qobject_cast<const QRadioButton*>(w);
}

bool answers(const QWidget* w, Role role, const QString& name) {
  if (!hasRole(w, role)) return false;
  if (w->objectName() == name) return true;
  if (role == Role::Field && w->accessibleName() == name) return true;
  const QString caption = ownCaption(w, role);
  return !caption.isEmpty() && caption == name;
}

QString describe(const QTabWidget* pages, const QWidget* w) {
  const int page = pageOf(pages, w);
  if (page < 0) return w->objectName();
  return QStringLiteral("%1 («%2»)").arg(w->objectName(), keyboardpath::withoutMnemonic(pages->tabText(page)));
}

}  // namespace

int pageOf(const QTabWidget* pages, const QWidget* control) {
  for (const QWidget* w = control; w; w = w->parentWidget()) {
    const int index = pages->indexOf(const_cast<QWidget*>(w));
    if (index >= 0) return index;
  }
  return -1;
}

int findPage(const QTabWidget* pages, const QString& caption) {
  for (int i = 0; i < pages->count(); ++i)
    if (keyboardpath::withoutMnemonic(pages->tabText(i)) == caption) return i;
  return -1;
}

Found findControl(QWidget* window, const QTabWidget* pages, Role role, const QString& name) {
  QList<QWidget*> shown, elsewhere;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!answers(w, role, name)) continue;
    const int page = pageOf(pages, w);
    (page < 0 || page == pages->currentIndex() ? shown : elsewhere) << w;
  }
  const QList<QWidget*>& candidates = shown.isEmpty() ? elsewhere : shown;
  Found found;
  if (candidates.size() == 1) {
    found.control = candidates.front();
  } else if (candidates.isEmpty()) {
    found.problem = (role == Role::Button ? QStringLiteral("нет кнопки «%1»") : QStringLiteral("нет поля «%1»")).arg(name);
  } else {
    QStringList names;
    for (const QWidget* w : candidates) names << describe(pages, w);
    found.problem = QStringLiteral("«%1» называет несколько элементов: %2").arg(name, names.join(QStringLiteral(", ")));
  }
  return found;
}

}  // namespace scriptrun
