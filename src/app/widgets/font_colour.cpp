#include "widgets/font_colour.h"

#include <QApplication>
#include <QCheckBox>
#include <QPalette>
#include <QRadioButton>
#include <QWidget>

#include "widgets/radio_group.h"

namespace {
constexpr QPalette::ColorRole kFontRoles[] = {QPalette::Text, QPalette::WindowText, QPalette::ButtonText};
}  // namespace

void setFontColour(QWidget* control, const QColor& colour) {
  // A control that shows the colour already is left alone: building and
  // comparing a palette on every tick of a timer costs more than the tick.
  const QPalette& shown = control->palette();
  bool same = true;
  for (auto role : kFontRoles)
    same = same && shown.color(QPalette::Active, role) == colour && shown.color(QPalette::Inactive, role) == colour;
  if (same) return;
  QPalette p = control->palette();
  for (auto role : kFontRoles) {
    p.setColor(QPalette::Active, role, colour);
    p.setColor(QPalette::Inactive, role, colour);
  }
  control->setPalette(p);
  // A radio group's items carry the group's font colour.
  if (auto* group = qobject_cast<RadioGroup*>(control)) {
    for (int i = 0; i < group->count(); ++i) group->button(i)->setPalette(p);
  }
}

QColor windowTextColour() { return QApplication::palette().color(QPalette::Active, QPalette::WindowText); }

QColor fontColour(const QWidget* control) {
  const auto role = (qobject_cast<const QCheckBox*>(control) || qobject_cast<const RadioGroup*>(control))
                        ? QPalette::WindowText
                        : QPalette::Text;
  return control->palette().color(QPalette::Active, role);
}
