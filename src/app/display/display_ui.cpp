#include "display/display_ui.h"

#include "widgets/font_colour.h"
#include "widgets/form_fit.h"
#include "widgets/keyboard_path.h"
#include "widgets/pictures.h"

namespace {

QFont scaledFont(const QFont& base, double factor, bool bold) {
  QFont f(base);
  f.setPointSizeF(base.pointSizeF() * factor);
  f.setBold(bold);
  return f;
}

// A reading fits the widest text it can show in its font.
void fitReading(QLineEdit* e, const QFont& font) {
  e->setFont(font);
  const QFontMetrics fm(font);
  int widest = 0;
  for (const char* sample : {"-12345,0000", "--------", "  -E1-", "??????"})
    widest = qMax(widest, fm.horizontalAdvance(QLatin1String(sample)));
  e->setFixedWidth(widest + 16);
}

void fitBigButton(QPushButton* b, const QFont& font) {
  b->setFont(font);
  b->setMinimumSize(QFontMetrics(font).horizontalAdvance(QStringLiteral(">T<")) + 36, QFontMetrics(font).height() + 20);
}

}  // namespace

void setupDisplayUi(QDialog* form, DisplayUi& ui) {
  form->setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  ui.setupUi(form);

  const QFont base = form->font();
  fitReading(ui.edtWeight, scaledFont(base, 3.2, true));
  setFontColour(ui.edtWeight, kHighlightColour);
  ui.Label4->setFont(scaledFont(base, 2.0, false));
  fitReading(ui.edtTare, scaledFont(base, 1.8, true));
  ui.Label5->setFont(scaledFont(base, 1.4, false));
  for (QLabel* lamp : {ui.Image1, ui.Image2, ui.Image3, ui.Image4}) lamp->setPixmap(lampPixmap(0));
  const QFont buttonFont = scaledFont(base, 2.2, true);
  fitBigButton(ui.Button1, buttonFont);
  fitBigButton(ui.Button2, buttonFont);

  ui.Timer = formfit::addTimer(form, 100);
  formfit::fixSize(form);
  keyboardpath::nameFieldsByLabels(form);
}
