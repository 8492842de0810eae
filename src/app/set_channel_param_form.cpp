#include "set_channel_param_form.h"

#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "core/channel_dialog.h"
#include "core/numbers.h"
#include "myconsts.h"
#include "numeric_key_filter.h"
#include "radio_group.h"

using lk40::automation::Variant;

namespace {

const char* const kWeightProperties[] = {"ChannelMaxWeight",     "ChannelMinWeight",     "ChannelMaxTare",
                                         "ChannelRange1",        "ChannelRange2",        "ChannelRange3",
                                         "ChannelDiscreteness1", "ChannelDiscreteness2", "ChannelDiscreteness3",
                                         "ChannelDiscreteness4"};
constexpr int kWeightFields = 10;

}  // namespace

TfrmSetChannelParam::TfrmSetChannelParam(lk40::automation::Driver driver,
                                         const lk40::platform::RegionalFormats& formats, ErrorBox showError)
    : Driver(std::move(driver)),
      formats_(formats),
      showError_(showError ? std::move(showError) : standardErrorBox()) {
  setupSetChannelParamUi(this, ui);
  connect(ui.Button1, &QPushButton::clicked, this, &QDialog::reject);
  connect(ui.Button2, &QPushButton::clicked, this, &TfrmSetChannelParam::Button2Click);
  connect(ui.Button3, &QPushButton::clicked, this, &TfrmSetChannelParam::Button3Click);
  const auto digits = [this](QLineEdit* f, QChar k) { return Edit14KeyPress(f, k); };
  const auto integerExit = [this](QLineEdit* f) { Edit1Exit(f); };
  NumericKeyFilter::install(ui.Edit1, digits, integerExit);
  NumericKeyFilter::install(ui.Edit14, digits, integerExit);
  NumericKeyFilter::install(
      ui.Edit3, [this](QLineEdit* f, QChar k) { return Edit3KeyPress(f, k); }, integerExit);
  for (int i = 0; i < kWeightFields; ++i)
    NumericKeyFilter::install(
        weightField(i), [this](QLineEdit* f, QChar k) { return Edit4KeyPress(f, k); },
        [this](QLineEdit* f) { Edit4Exit(f); });
}

TfrmSetChannelParam::~TfrmSetChannelParam() = default;

QLineEdit* TfrmSetChannelParam::weightField(int index) const {
  QLineEdit* const fields[kWeightFields] = {ui.Edit4,  ui.Edit5,  ui.Edit6,  ui.Edit7,  ui.Edit8,
                                           ui.Edit9,  ui.Edit10, ui.Edit11, ui.Edit12, ui.Edit13};
  return fields[index];
}

void TfrmSetChannelParam::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  // The tab order starts at "Отмена", and so does the focus.
  ui.Button1->setFocus();
  try {
    FormShow();
  } catch (const std::exception& e) {
    showError_(this, QString::fromStdString(e.what()), myconsts::kApplicationTitle);
  }
}

void TfrmSetChannelParam::FormShow() {
  const auto choice = lk40::core::splitChannelFlags(Driver.getInt("ChannelFlags"));
  ui.RadioGroup1->setItemIndex(choice.type);
  ui.RadioGroup2->setItemIndex(lk40::core::splitChannelFlags(Driver.getInt("ChannelFlags")).tareSampling);
  ui.Edit1->setText(QString::number(Driver.getInt("ChannelNumber")));
  ui.Edit3->setText(QString::number(Driver.getInt("ChannelDegree")));
  for (int i = 0; i < kWeightFields; ++i) {
    const double value = Driver.getDouble(kWeightProperties[i]);
    weightField(i)->setText(
        QString::fromStdString(lk40::core::formatFixed(value, 5, 4, formats_.decimalSeparator)));
  }
  ui.Edit14->setText(QString::number(Driver.getInt("ChannelPointsCount")));
}

void TfrmSetChannelParam::Button2Click() {
  // Whatever fails stops the writes silently; the dialog still reports OK and
  // the caller sends what the driver then holds.
  try {
    Driver.put("ChannelFlags",
               Variant(lk40::core::joinChannelFlags(ui.RadioGroup1->itemIndex(), ui.RadioGroup2->itemIndex())));
    Driver.put("ChannelNumber", Variant(lk40::core::parseIntOr(ui.Edit1->text().toStdString())));
    Driver.put("ChannelDegree", Variant(lk40::core::parseIntOr(ui.Edit3->text().toStdString())));
    for (int i = 0; i < kWeightFields; ++i) {
      const double value = lk40::core::parseDecimal(weightField(i)->text().toStdString(), formats_.decimalSeparator);
      Driver.put(kWeightProperties[i], Variant(value));
    }
    Driver.put("ChannelPointsCount", Variant(lk40::core::parseIntOr(ui.Edit14->text().toStdString())));
  } catch (...) {
  }
  accept();
}

void TfrmSetChannelParam::Button3Click() {
  const auto capacity = lk40::core::tryParseDecimal(ui.Edit4->text().toStdString(), formats_.decimalSeparator);
  if (const auto degree = lk40::core::channelDegreeFor(capacity.value_or(0.0)))
    ui.Edit3->setText(QString::number(*degree));
}

bool TfrmSetChannelParam::Edit14KeyPress(QLineEdit*, QChar key) const {
  return lk40::core::acceptIntegerKey(key.unicode());
}

bool TfrmSetChannelParam::Edit3KeyPress(QLineEdit* field, QChar key) const {
  return lk40::core::acceptSignedIntegerKey(field->text().toStdU32String(), key.unicode());
}

bool TfrmSetChannelParam::Edit4KeyPress(QLineEdit* field, QChar key) const {
  return lk40::core::acceptDecimalKey(field->text().toStdU32String(), key.unicode(), formats_.decimalSeparator);
}

void TfrmSetChannelParam::Edit1Exit(QLineEdit* field) {
  const std::string corrected = lk40::core::integerFieldOnExit(field->text().toStdString());
  if (corrected != field->text().toStdString()) field->setText(QString::fromStdString(corrected));
}

void TfrmSetChannelParam::Edit4Exit(QLineEdit* field) {
  field->setText(QString::fromStdString(
      lk40::core::decimalFieldOnExit(field->text().toStdString(), 4, formats_.decimalSeparator)));
}

bool ShowChannelParamDialog(const lk40::automation::Driver& driver, QWidget* centreOn,
                            const lk40::platform::RegionalFormats& formats, ErrorBox showError) {
  TfrmSetChannelParam dialog(driver, formats, std::move(showError));
  if (centreOn) {
    dialog.adjustSize();
    const QRect owner = centreOn->frameGeometry();
    dialog.move(owner.center() - QPoint(dialog.width() / 2, dialog.height() / 2));
  }
  return dialog.exec() == QDialog::Accepted;
}
