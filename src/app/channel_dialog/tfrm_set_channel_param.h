// The channel characteristics dialog: shows the driver's channel properties,
// lets the operator edit them and, on "Записать", writes them back into the
// driver's properties. It calls no driver method of its own.
#pragma once

#include <QDialog>
#include <exception>

#include "automation/driver.h"
#include "channel_dialog/set_channel_param_ui.h"
#include "platform/regional_formats.h"
#include "widgets/error_box.h"

class QLineEdit;

class TfrmSetChannelParam : public QDialog {
  Q_OBJECT
 public:
  TfrmSetChannelParam(lk40::automation::Driver driver, const lk40::platform::RegionalFormats& formats,
                      ErrorBox showError = {});
  ~TfrmSetChannelParam() override;

  const SetChannelParamUi& controls() const { return ui; }
  // The error of a property write that the driver refused; the dialog then
  // closed without the OK result. Null when there was none.
  std::exception_ptr writeFailure() const { return writeFailure_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void Button2Click();
  void Button3Click();
  // Key filters: true when the typed character is accepted.
  bool Edit14KeyPress(QLineEdit* field, QChar key) const;
  bool Edit3KeyPress(QLineEdit* field, QChar key) const;
  bool Edit4KeyPress(QLineEdit* field, QChar key) const;
  void Edit1Exit(QLineEdit* field);
  void Edit4Exit(QLineEdit* field);
  QLineEdit* weightField(int index) const;  // Edit4 .. Edit13

  SetChannelParamUi ui;
  lk40::automation::Driver Driver;
  lk40::platform::RegionalFormats formats_;
  ErrorBox showError_;
  std::exception_ptr writeFailure_;
};

// Opens the dialog modally, centred on centreOn, and returns true exactly when
// it was closed by "Записать". A property write the driver refused is raised
// again here, so the caller reports it and sends nothing.
bool ShowChannelParamDialog(const lk40::automation::Driver& driver, QWidget* centreOn,
                            const lk40::platform::RegionalFormats& formats, ErrorBox showError = {});
