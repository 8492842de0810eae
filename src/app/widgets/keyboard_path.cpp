#include "widgets/keyboard_path.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QPlainTextEdit>
#include <QSet>
#include <QTextEdit>
#include <algorithm>

namespace keyboardpath {
namespace {

// Widgets whose children are controls of their own: plain panels, frames,
// group boxes and button boxes. Everything else is one control.
bool isContainer(const QWidget* w) {
  const QMetaObject* kind = w->metaObject();
  return kind == &QWidget::staticMetaObject || kind == &QFrame::staticMetaObject ||
         qobject_cast<const QGroupBox*>(w) != nullptr || qobject_cast<const QDialogButtonBox*>(w) != nullptr;
}

class Walker {
 public:
  QList<QWidget*> order;

  void container(QWidget* c) {
    if (QLayout* layout = c->layout()) items(layout);
    // What no layout places, by its position in the container.
    QList<QWidget*> loose;
    for (QObject* child : c->children()) {
      auto* w = qobject_cast<QWidget*>(child);
      if (w && !w->isWindow() && !seen_.contains(w)) loose << w;
    }
    std::stable_sort(loose.begin(), loose.end(), [](const QWidget* a, const QWidget* b) {
      return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
    });
    for (QWidget* w : loose) widget(w);
  }

 private:
  void widget(QWidget* w) {
    if (seen_.contains(w)) return;
    seen_.insert(w);
    order << w;
    if (isContainer(w)) container(w);
  }

  void item(QLayoutItem* item) {
    if (QWidget* w = item->widget())
      widget(w);
    else if (QLayout* inner = item->layout())
      items(inner);
  }

  // A layout's items in reading order: grids and forms row by row, boxes in
  // their own order.
  void items(QLayout* layout) {
    struct Placed {
      int row, column, index;
    };
    QList<Placed> placed;
    auto* grid = qobject_cast<QGridLayout*>(layout);
    auto* form = qobject_cast<QFormLayout*>(layout);
    for (int i = 0; i < layout->count(); ++i) {
      int row = 0, column = 0;
      if (grid) {
        int rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
      } else if (form) {
        QFormLayout::ItemRole role{};
        form->getItemPosition(i, &row, &role);
        column = static_cast<int>(role);
      }
      placed << Placed{row, column, i};
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
      return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    for (const Placed& p : placed) item(layout->itemAt(p.index));
  }

  QSet<QWidget*> seen_;
};

}  // namespace

QString withoutMnemonic(QString text) {
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  text.remove(QLatin1Char('&'));
  text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
  return text;
}

QList<QWidget*> readingOrder(QWidget* root) {
  Walker walker;
  walker.container(root);
  return walker.order;
}

void chainTabOrder(const QList<QWidget*>& widgets) {
  QWidget* previous = nullptr;
  for (QWidget* w : widgets) {
    if (!(w->focusPolicy() & Qt::TabFocus)) continue;
    // Tab leaves grids, lists and memos for the next control instead of
    // moving inside them, so that no control holds the walk.
    if (auto* view = qobject_cast<QAbstractItemView*>(w)) view->setTabKeyNavigation(false);
    if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) memo->setTabChangesFocus(true);
    if (auto* memo = qobject_cast<QTextEdit*>(w)) memo->setTabChangesFocus(true);
    if (previous) QWidget::setTabOrder(previous, w);
    previous = w;
  }
}

void nameFieldsByLabels(QWidget* root) {
  const QList<QWidget*> order = readingOrder(root);
  QHash<const QWidget*, int> position;
  for (int i = 0; i < order.size(); ++i) position.insert(order[i], i);
  // For each field: the nearest label before it, else the first after it.
  QHash<QWidget*, QLabel*> before, after;
  for (QWidget* w : order) {
    auto* label = qobject_cast<QLabel*>(w);
    if (!label || !label->buddy() || !position.contains(label->buddy())) continue;
    QWidget* field = label->buddy();
    if (position[label] < position[field])
      before.insert(field, label);  // later labels come later in the walk
    else if (!after.contains(field))
      after.insert(field, label);
  }
  for (auto it = after.cbegin(); it != after.cend(); ++it)
    if (!before.contains(it.key())) before.insert(it.key(), it.value());
  for (auto it = before.cbegin(); it != before.cend(); ++it)
    it.key()->setAccessibleName(withoutMnemonic(it.value()->text()));
}

}  // namespace keyboardpath
