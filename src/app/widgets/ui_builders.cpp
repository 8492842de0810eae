#include "widgets/ui_builders.h"

#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "widgets/combo_box.h"
#include "widgets/radio_group.h"

namespace mainui {

int widthForChars(const QWidget* w, int chars) {
  return w->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))) + 14;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QWidget* buddy) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QLatin1String(name));
  if (buddy) l->setBuddy(buddy);
  return l;
}

QLineEdit* makeEdit(QWidget* parent, const char* name, const QString& text, int typingLimit, int chars) {
  auto* e = new QLineEdit(text, parent);
  e->setObjectName(QLatin1String(name));
  if (typingLimit > 0) e->setProperty("typingLimit", typingLimit);
  if (chars > 0) e->setFixedWidth(widthForChars(e, chars));
  return e;
}

void showButtonFace(QWidget* w) {
  QPalette p = w->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    p.setColor(group, QPalette::Base, p.color(group, QPalette::Button));
  w->setPalette(p);
}

QLineEdit* makeOutput(QWidget* parent, const char* name, int chars) {
  QLineEdit* e = makeEdit(parent, name, QString(), 0, chars);
  e->setReadOnly(true);
  return e;
}

QLineEdit* makeDisplayField(QWidget* parent, const char* name) {
  QLineEdit* e = makeOutput(parent, name);
  e->setFocusPolicy(Qt::NoFocus);
  showButtonFace(e);
  return e;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(QLatin1String(name));
  b->setAutoDefault(false);
  // A little air around the longest captions, which the style packs tightly.
  b->setMinimumWidth(b->sizeHint().width() + 12);
  return b;
}

QComboBox* makeCombo(QWidget* parent, const char* name, const QStringList& items, int index, bool editable) {
  auto* c = new QComboBox(parent);
  c->setObjectName(QLatin1String(name));
  c->setEditable(editable);
  // The item index is what the operations send, so typing must never add items.
  c->setInsertPolicy(QComboBox::NoInsert);
  c->addItems(items);
  c->setCurrentIndex(index);
  if (editable) followTextWithIndex(c);
  return c;
}

QPlainTextEdit* makeMemo(QWidget* parent, const char* name, bool readOnly, bool wrap) {
  auto* m = new QPlainTextEdit(parent);
  m->setObjectName(QLatin1String(name));
  m->setReadOnly(readOnly);
  m->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  m->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m->setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
  // Tabs indent the flag lines of the result blocks by a few characters, not
  // by the editor's wide default.
  m->setTabStopDistance(m->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
  // Tab moves on to the next control, as in every other field of the window.
  m->setTabChangesFocus(true);
  if (readOnly) showButtonFace(m);
  return m;
}

RadioGroup* makeRadioGroup(QWidget* parent, const char* name, const QString& caption, const QStringList& items,
                           int index) {
  auto* g = new RadioGroup(caption, items, parent);
  g->setObjectName(QLatin1String(name));
  g->setItemIndex(index);
  return g;
}

QFrame* makeSeparator(QWidget* parent, const char* name) {
  auto* f = new QFrame(parent);
  f->setObjectName(QLatin1String(name));
  f->setFrameShape(QFrame::HLine);
  f->setFrameShadow(QFrame::Sunken);
  return f;
}

QGroupBox* makeGroupBox(QWidget* parent, const char* name, const QString& caption) {
  auto* g = new QGroupBox(caption, parent);
  g->setObjectName(QLatin1String(name));
  return g;
}

QStringList portItems(const QString& prefix) {
  QStringList items;
  for (int i = 1; i <= 32; ++i) items << prefix + QString::number(i);
  return items;
}

QStringList baudRateItems() {
  return {QStringLiteral("2400"),  QStringLiteral("4800"),  QStringLiteral("9600"),  QStringLiteral("19200"),
          QStringLiteral("38400"), QStringLiteral("57600"), QStringLiteral("115200")};
}

QFormLayout* makeForm() {
  auto* f = new QFormLayout;
  f->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  f->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
  f->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  return f;
}

void addFieldRow(QGridLayout* grid, int row, QLabel* label, QWidget* field, QLabel* unit) {
  grid->addWidget(label, row, 0);
  grid->addWidget(field, row, 1, Qt::AlignLeft);
  if (unit) grid->addWidget(unit, row, 2);
}

QWidget* makePage(QTabWidget* pages, const char* name, const QString& caption, int pageId) {
  auto* page = new QWidget;
  page->setObjectName(QLatin1String(name));
  page->setProperty("pageId", pageId);
  pages->addTab(page, caption);
  return page;
}

}  // namespace mainui
