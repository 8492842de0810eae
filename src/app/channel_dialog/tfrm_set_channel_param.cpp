#include "channel_dialog/tfrm_set_channel_param.h"

#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <utility>
#include <vector>

#include "core/channel_dialog.h"
#include "core/numbers.h"
#include "myconsts.h"
#include "widgets/centre_over.h"
#include "widgets/guard.h"
#include "widgets/numeric_key_filter.h"
#include "widgets/radio_group.h"

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
  // "Записать" waits for a fill that read every field, so that only values
  // read from the driver, or typed over them, can ever be written.
  ui.Button2->setEnabled(false);
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

// The fields' guards call back into this dialog; a field losing the focus while
// the widgets are torn down (the focus passing on from a destroyed button)
// must not reach a dialog that is already gone.
TfrmSetChannelParam::~TfrmSetChannelParam() { qDeleteAll(findChildren<NumericKeyFilter*>()); }

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
  // Fields a failed fill did not reach hold values never read, and a group
  // may have no item chosen: "Записать" stays disabled, and the dialog closes
  // as cancelled once its own loop runs (closing from inside the show would
  // leave that loop waiting for ever).
  const bool filled = runGuarded(this, showError_, [this] { FormShow(); });
  ui.Button2->setEnabled(filled);
  if (!filled) QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
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
  // Every field is converted before the first write: a field that does not
  // convert (Enter pressed inside it skips its exit check) is reported, takes
  // the focus and keeps the dialog open, and the driver holds what it held.
  double weights[kWeightFields] = {};
  for (int i = 0; i < kWeightFields; ++i) {
    QLineEdit* const field = weightField(i);
    try {
      weights[i] = lk40::core::parseDecimal(field->text().toStdString(), formats_.decimalSeparator);
    } catch (const lk40::core::ConversionError& e) {
      showError_(this, QString::fromStdString(e.what()), myconsts::kApplicationTitle);
      field->setFocus();
      return;
    }
  }
  std::vector<std::pair<const char*, Variant>> writes = {
      {"ChannelFlags",
       Variant(lk40::core::joinChannelFlags(ui.RadioGroup1->itemIndex(), ui.RadioGroup2->itemIndex()))},
      {"ChannelNumber", Variant(lk40::core::parseIntOr(ui.Edit1->text().toStdString()))},
      {"ChannelDegree", Variant(lk40::core::parseIntOr(ui.Edit3->text().toStdString()))}};
  for (int i = 0; i < kWeightFields; ++i) writes.emplace_back(kWeightProperties[i], Variant(weights[i]));
  writes.emplace_back("ChannelPointsCount", Variant(lk40::core::parseIntOr(ui.Edit14->text().toStdString())));
  try {
    for (const auto& [name, value] : writes) Driver.put(name, value);
  } catch (...) {
    // Not confirmed: the caller reports the refusal and sends nothing.
    writeFailure_ = std::current_exception();
    reject();
    return;
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
  if (centreOn) centreOver(&dialog, centreOn);
  const bool written = dialog.exec() == QDialog::Accepted;
  if (dialog.writeFailure()) std::rethrow_exception(dialog.writeFailure());
  return written;
}
