#include "pages/page.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include "core/numbers.h"
#include "widgets/font_colour.h"
#include "widgets/form_fit.h"
#include "widgets/keyboard_path.h"
#include "widgets/numeric_fields.h"

Page::Page(const PageContext& context, int id, QWidget* parent)
    : QWidget(parent),
      host_(context.host),
      Driver(context.driver),
      formats_(context.formats),
      showError_(context.showError),
      logging_(context.logging),
      statusFields_(context.statusFields),
      id_(id) {}

QList<QWidget*> Page::keyboardPath() { return keyboardpath::readingOrder(this); }

void Page::fitForm() { formfit::fit(this); }

int32_t Page::intField(const QLineEdit* field) const { return lk40::core::parseIntOr(field->text().toStdString(), 0); }

double Page::decimalField(const QLineEdit* field) const {
  return lk40::core::parseDecimal(field->text().toStdString(), formats_.decimalSeparator);
}

QString Page::driverText(const char* name) const { return QString::fromStdString(Driver.getText(name)); }

void Page::paint(QWidget* control) { setFontColour(control, kHighlightColour); }

void Page::appendLine(QPlainTextEdit* memo, const std::string& utf8) {
  memo->appendPlainText(QString::fromStdString(utf8));
}

void Page::guardIntegerFields(std::initializer_list<QLineEdit*> fields) {
  for (QLineEdit* field : fields) numericfields::guardInteger(field, [this](const auto& check) { guard(check); });
}

void Page::guardDecimalField(QLineEdit* field, std::function<void(QLineEdit*)> exit) {
  numericfields::guardDecimal(field, formats_.decimalSeparator, [this](const auto& check) { guard(check); },
                              std::move(exit));
}
