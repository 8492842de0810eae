#include "script_run/control_lookup.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStringList>
#include <QTabWidget>

#include "widgets/keyboard_path.h"
#include "widgets/radio_group.h"
#include "widgets/status_field.h"

namespace scriptrun {
namespace {

bool isButton(const QWidget* w) {
  return qobject_cast<const QAbstractButton*>(w) && !qobject_cast<const QCheckBox*>(w) &&
         !qobject_cast<const QRadioButton*>(w);
}

bool isField(const QWidget* w) {
  return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QLabel*>(w) || qobject_cast<const QComboBox*>(w) ||
         qobject_cast<const QCheckBox*>(w) || qobject_cast<const RadioGroup*>(w) ||
         qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QAbstractItemView*>(w);
}

bool hasRole(const QWidget* w, Role role) {
  switch (role) {
    case Role::Field: return isField(w);
    case Role::Button: return isButton(w);
    case Role::Control: return isField(w) || isButton(w) || qobject_cast<const QGroupBox*>(w);
  }
  return false;
}

// The widget a caption label without a buddy names: the one beside it in
// its layout row ("Измерений:" and the count after it).
QWidget* besideLabel(const QLabel* label) {
  const QWidget* parent = label->parentWidget();
  if (!parent) return nullptr;
  for (QLayout* layout : parent->findChildren<QLayout*>()) {
    const int at = layout->indexOf(const_cast<QLabel*>(label));
    if (at < 0) continue;
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
      int row = 0, column = 0, rows = 0, columns = 0;
      grid->getItemPosition(at, &row, &column, &rows, &columns);
      const QLayoutItem* next = grid->itemAtPosition(row, column + columns);
      return next ? next->widget() : nullptr;
    }
    if (auto* form = qobject_cast<QFormLayout*>(layout)) {
      int row = 0;
      QFormLayout::ItemRole itemRole{};
      form->getItemPosition(at, &row, &itemRole);
      const QLayoutItem* field = itemRole == QFormLayout::LabelRole ? form->itemAt(row, QFormLayout::FieldRole) : nullptr;
      return field ? field->widget() : nullptr;
    }
    return nullptr;
  }
  return nullptr;
}

QString withoutColon(QString text) {
  if (text.endsWith(u':')) text.chop(1);
  return text;
}

// The captions of labels that name a widget: as its buddy, or standing
// beside it without one. The first label of a buddy names it, as the
// keyboard path does where it gives accessible names.
QHash<const QWidget*, QString> captionsBeside(const QWidget* window) {
  QHash<const QWidget*, QString> captions;
  for (const QLabel* label : window->findChildren<QLabel*>()) {
    const QWidget* named = label->buddy() ? label->buddy() : besideLabel(label);
    if (named && isField(named) && !captions.contains(named))
      captions.insert(named, keyboardpath::withoutMnemonic(label->text()));
  }
  return captions;
}

// A control named by its form name or its own caption, rather than by a label.
bool namedItself(const QWidget* w, const QString& name) {
  return w->objectName() == name || (!ownCaption(w).isEmpty() && ownCaption(w) == name);
}

bool answers(const QWidget* w, Role role, const QString& name, const QHash<const QWidget*, QString>& beside) {
  if (!hasRole(w, role)) return false;
  if (w->objectName() == name) return true;
  if (role != Role::Button && !w->accessibleName().isEmpty() && w->accessibleName() == name) return true;
  if (role != Role::Button) {
    const QString caption = beside.value(w);
    if (!caption.isEmpty() && (caption == name || withoutColon(caption) == name)) return true;
  }
  // A label is found by its own text only where a caption is asked for:
  // as a field, it is the value a caption names.
  if (role == Role::Field && qobject_cast<const QLabel*>(w)) return false;
  const QString caption = ownCaption(w);
  return !caption.isEmpty() && caption == name;
}

QString describe(const QTabWidget* pages, const QWidget* w) {
  const int page = pages ? pageOf(pages, w) : -1;
  if (page < 0) return w->objectName();
  return QStringLiteral("%1 («%2»)").arg(w->objectName(), keyboardpath::withoutMnemonic(pages->tabText(page)));
}

}  // namespace

QString ownCaption(const QWidget* w) {
  if (const auto* button = qobject_cast<const QAbstractButton*>(w)) return keyboardpath::withoutMnemonic(button->text());
  if (const auto* group = qobject_cast<const QGroupBox*>(w)) return keyboardpath::withoutMnemonic(group->title());
  if (const auto* label = qobject_cast<const QLabel*>(w)) return keyboardpath::withoutMnemonic(label->text());
  return {};
}

QTabWidget* pagesOf(QWidget* window) { return window->findChild<QTabWidget*>(); }

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

Found findControl(QWidget* window, Role role, const QString& name) {
  const QTabWidget* pages = pagesOf(window);
  const QHash<const QWidget*, QString> beside = captionsBeside(window);
  QList<QWidget*> shown, elsewhere;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!answers(w, role, name, beside)) continue;
    const int page = pages ? pageOf(pages, w) : -1;
    (page < 0 || page == pages->currentIndex() ? shown : elsewhere) << w;
  }
  QList<QWidget*> candidates = shown.isEmpty() ? elsewhere : shown;
  // A caption or an enabled state is asked of "Показания АЦП" the button
  // rather than of the field its label names.
  if (role == Role::Control && candidates.size() > 1) {
    QList<QWidget*> itself;
    for (QWidget* w : candidates)
      if (namedItself(w, name)) itself << w;
    if (!itself.isEmpty()) candidates = itself;
  }
  Found found;
  if (candidates.size() == 1) {
    found.control = candidates.front();
  } else if (candidates.isEmpty()) {
    found.problem = (role == Role::Button  ? QStringLiteral("нет кнопки «%1»")
                     : role == Role::Field ? QStringLiteral("нет поля «%1»")
                                           : QStringLiteral("нет элемента «%1»"))
                        .arg(name);
  } else {
    QStringList names;
    for (const QWidget* w : candidates) names << describe(pages, w);
    found.problem = QStringLiteral("«%1» называет несколько элементов: %2").arg(name, names.join(QStringLiteral(", ")));
  }
  return found;
}

QString cellText(const QAbstractItemView* view, int row, int column, QString& problem) {
  const QAbstractItemModel* model = view->model();
  if (!model || row >= model->rowCount()) {
    problem = QStringLiteral("в «%1» нет строки %2 (строк %3)").arg(view->objectName()).arg(row).arg(model ? model->rowCount() : 0);
    return {};
  }
  if (column >= model->columnCount()) {
    problem = QStringLiteral("в «%1» нет столбца %2 (столбцов %3)").arg(view->objectName()).arg(column).arg(model->columnCount());
    return {};
  }
  if (column >= 0) return model->index(row, column).data(Qt::DisplayRole).toString();
  QStringList cells;
  for (int c = 0; c < model->columnCount(); ++c) cells << model->index(row, c).data(Qt::DisplayRole).toString();
  return cells.join(QStringLiteral(" | "));
}

QString markedRow(const QAbstractItemView* view) {
  const QAbstractItemModel* model = view->model();
  for (int row = 0; model && row < model->rowCount(); ++row)
    if (!model->index(row, 0).data(Qt::DecorationRole).isNull()) return QString::number(row);
  return {};
}

QString shownText(const QWidget* w) {
  // A status field shows the start of a long text; the run reads it whole.
  if (const auto* field = qobject_cast<const StatusField*>(w)) return field->wholeText();
  if (const auto* edit = qobject_cast<const QLineEdit*>(w)) return edit->text();
  if (const auto* label = qobject_cast<const QLabel*>(w)) return label->text();
  if (const auto* combo = qobject_cast<const QComboBox*>(w)) return combo->currentText();
  if (const auto* box = qobject_cast<const QCheckBox*>(w))
    return box->isChecked() ? QStringLiteral("да") : QStringLiteral("нет");
  if (const auto* group = qobject_cast<const RadioGroup*>(w))
    return group->itemIndex() < 0 ? QString() : keyboardpath::withoutMnemonic(group->button(group->itemIndex())->text());
  if (const auto* memo = qobject_cast<const QPlainTextEdit*>(w)) return memo->toPlainText();
  if (const auto* view = qobject_cast<const QAbstractItemView*>(w)) {
    QStringList rows;
    QString unused;
    for (int row = 0; view->model() && row < view->model()->rowCount(); ++row) rows << cellText(view, row, -1, unused);
    return rows.join(u'\n');
  }
  return {};
}

QString scriptName(QWidget* window, Role role, QWidget* control) {
  const QHash<const QWidget*, QString> beside = captionsBeside(window);
  const QString candidates[] = {role == Role::Button ? QString() : control->accessibleName(),
                                role == Role::Button ? QString() : withoutColon(beside.value(control)),
                                qobject_cast<const QLabel*>(control) ? QString() : ownCaption(control),
                                control->objectName()};
  for (const QString& name : candidates)
    if (!name.isEmpty() && findControl(window, role, name).control == control) return name;
  return {};
}

}  // namespace scriptrun
