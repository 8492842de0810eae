#include "display/display_ui.h"

#include <QDialog>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "widgets/font_colour.h"
#include "widgets/keyboard_path.h"
#include "widgets/pictures.h"

namespace {

QFont scaledFont(const QFont& base, double factor, bool bold) {
  QFont f(base);
  f.setPointSizeF(base.pointSizeF() * factor);
  f.setBold(bold);
  return f;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QLatin1String(name));
  return l;
}

// A read-only reading that fits the widest text it can show in its font.
QLineEdit* makeReading(QWidget* parent, const char* name, const QFont& font) {
  auto* e = new QLineEdit(QStringLiteral("0.000"), parent);
  e->setObjectName(QLatin1String(name));
  e->setReadOnly(true);
  e->setFocusPolicy(Qt::NoFocus);
  e->setFont(font);
  const QFontMetrics fm(font);
  int widest = 0;
  for (const char* sample : {"-12345,0000", "--------", "  -E1-", "??????"})
    widest = qMax(widest, fm.horizontalAdvance(QLatin1String(sample)));
  e->setFixedWidth(widest + 16);
  return e;
}

QLabel* makeLamp(QWidget* parent, const char* name) {
  auto* l = makeLabel(parent, name, QString());
  l->setFixedSize(16, 16);
  l->setPixmap(lampPixmap(0));
  return l;
}

QPushButton* makeBigButton(QWidget* parent, const char* name, const QString& text, const QFont& font) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(QLatin1String(name));
  b->setAutoDefault(false);
  b->setFont(font);
  b->setMinimumSize(QFontMetrics(font).horizontalAdvance(QStringLiteral(">T<")) + 36,
                    QFontMetrics(font).height() + 20);
  return b;
}

}  // namespace

void setupDisplayUi(QDialog* form, DisplayUi& ui) {
  form->setWindowTitle(QStringLiteral("Дисплей"));
  form->setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

  const QFont base = form->font();
  const QFont weightFont = scaledFont(base, 3.2, true);
  const QFont unitFont = scaledFont(base, 2.0, false);
  const QFont tareFont = scaledFont(base, 1.8, true);
  const QFont tareUnitFont = scaledFont(base, 1.4, false);
  const QFont buttonFont = scaledFont(base, 2.2, true);

  ui.Label1 = makeLabel(form, "Label1", QStringLiteral("Вес"));
  ui.edtWeight = makeReading(form, "edtWeight", weightFont);
  setFontColour(ui.edtWeight, kHighlightColour);
  ui.Label4 = makeLabel(form, "Label4", QStringLiteral("кг"));
  ui.Label4->setFont(unitFont);
  ui.Label1->setBuddy(ui.edtWeight);

  ui.Label2 = makeLabel(form, "Label2", QStringLiteral("Тара"));
  ui.edtTare = makeReading(form, "edtTare", tareFont);
  ui.Label5 = makeLabel(form, "Label5", QStringLiteral("кг"));
  ui.Label5->setFont(tareUnitFont);
  ui.Label2->setBuddy(ui.edtTare);

  ui.Image1 = makeLamp(form, "Image1");
  ui.Label8 = makeLabel(form, "Label8", QStringLiteral("Нуль"));
  ui.Image2 = makeLamp(form, "Image2");
  ui.Label9 = makeLabel(form, "Label9", QStringLiteral("Тара"));
  ui.Image3 = makeLamp(form, "Image3");
  ui.Label3 = makeLabel(form, "Label3", QStringLiteral("Успокоение"));
  ui.Image4 = makeLamp(form, "Image4");
  ui.Label7 = makeLabel(form, "Label7", QStringLiteral("Фиксация"));

  ui.Button1 = makeBigButton(form, "Button1", QStringLiteral(">T<"), buttonFont);
  ui.Button2 = makeBigButton(form, "Button2", QStringLiteral(">0<"), buttonFont);

  ui.Timer = new QTimer(form);
  ui.Timer->setObjectName(QStringLiteral("Timer"));
  ui.Timer->setInterval(100);

  // Each unit stands right after its reading, on the digits' base line.
  auto* weightRow = new QHBoxLayout;
  weightRow->addWidget(ui.edtWeight);
  weightRow->addWidget(ui.Label4, 0, Qt::AlignBottom);
  weightRow->addStretch(1);
  auto* tareRow = new QHBoxLayout;
  tareRow->addWidget(ui.edtTare);
  tareRow->addWidget(ui.Label5, 0, Qt::AlignBottom);
  tareRow->addStretch(1);
  auto* readings = new QVBoxLayout;
  readings->setSpacing(2);
  readings->addWidget(ui.Label1);
  readings->addLayout(weightRow);
  readings->addSpacing(6);
  readings->addWidget(ui.Label2);
  readings->addLayout(tareRow);

  auto* buttons = new QVBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ui.Button1);
  buttons->addSpacing(8);
  buttons->addWidget(ui.Button2);
  buttons->addStretch(1);

  auto* top = new QHBoxLayout;
  top->addLayout(readings);
  top->addSpacing(12);
  top->addLayout(buttons);

  // Each lamp stands 25 pixels left of its caption: 16 for the picture, 9 between.
  auto* lamps = new QHBoxLayout;
  lamps->setSpacing(0);
  const auto addLamp = [lamps](QLabel* image, QLabel* caption, bool last) {
    lamps->addWidget(image);
    lamps->addSpacing(9);
    lamps->addWidget(caption);
    if (!last) lamps->addSpacing(20);
  };
  addLamp(ui.Image1, ui.Label8, false);
  addLamp(ui.Image2, ui.Label9, false);
  addLamp(ui.Image3, ui.Label3, false);
  addLamp(ui.Image4, ui.Label7, true);
  lamps->addStretch(1);

  auto* layout = new QVBoxLayout(form);
  layout->setContentsMargins(10, 8, 10, 10);
  layout->addLayout(top);
  layout->addSpacing(10);
  layout->addLayout(lamps);

  form->ensurePolished();
  layout->activate();
  form->setFixedSize(form->sizeHint());
  keyboardpath::nameFieldsByLabels(form);
}
