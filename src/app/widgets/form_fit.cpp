#include "widgets/form_fit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QLayout>
#include <QPushButton>
#include <QTimer>

namespace formfit {

int widthForChars(const QWidget* w, int chars) {
  return w->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))) + 14;
}

void showButtonFace(QWidget* w) {
  QPalette p = w->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    p.setColor(group, QPalette::Base, p.color(group, QPalette::Button));
  w->setPalette(p);
}

namespace {

void fitOne(QWidget* w) {
  if (const int chars = w->property("chars").toInt(); chars > 0) w->setFixedWidth(widthForChars(w, chars));
  if (const int chars = w->property("minChars").toInt(); chars > 0) w->setMinimumWidth(widthForChars(w, chars));
  if (w->property("buttonFace").toBool()) showButtonFace(w);
  if (auto* button = qobject_cast<QPushButton*>(w)) {
    // A little air around the longest captions, which the style packs tightly.
    button->setMinimumWidth(button->sizeHint().width() + 12);
  } else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
    // Tabs indent the flag lines of the result blocks by a few characters,
    // not by the editor's wide default.
    memo->setTabStopDistance(memo->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
  }
}

}  // namespace

void fit(QWidget* root) {
  fitOne(root);
  for (QWidget* w : root->findChildren<QWidget*>()) fitOne(w);
}

QTimer* addTimer(QWidget* form, int intervalMs) {
  auto* timer = new QTimer(form);
  timer->setObjectName(QStringLiteral("Timer"));
  timer->setInterval(intervalMs);
  return timer;
}

void fixSize(QWidget* form) {
  form->ensurePolished();
  form->layout()->activate();
  form->setFixedSize(form->sizeHint());
}

}  // namespace formfit
