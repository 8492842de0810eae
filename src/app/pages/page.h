// One page of the main window, the base of the seven: a page owns its form,
// its handlers under the system's names, its presenters, its defaults, its
// saved inputs and its part of the keyboard path. It is made with the
// PageContext the window gives it; the window asks it, through the virtual
// functions here, what the window's own rules need of it.
//
// Layout rule the command frame relies on: the controls of a page are direct
// children of the page, and the controls of a group box direct children of
// that group box (layouts arrange them, no container widgets in between).
#pragma once

#include <QAbstractButton>
#include <QList>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "pages/page_host.h"

class QLineEdit;
class QPlainTextEdit;

// An input kept between runs under its value name: the control's creation
// index in the window as it was first built. Stores written with these names
// must stay readable, so they never change.
struct SavedInput {
  int valueName;
  QWidget* control;
};

class Page : public QWidget {
  Q_OBJECT

 public:
  // The page's caption on the page control is its form's window title.
  Page(const PageContext& context, int id, QWidget* parent);

  // Its PageID.
  int id() const { return id_; }

  // Its defaults: "По умолчанию" on this page, and every page at start-up.
  // The password is the window's.
  virtual void applyDefaults() {}
  // Its inputs kept between runs.
  virtual std::vector<SavedInput> savedInputs() const { return {}; }
  // Its controls in the order Tab walks them: as the operator reads them.
  virtual QList<QWidget*> keyboardPath();
  // Start-up is done: the saved inputs are restored, the driver connected.
  virtual void started() {}
  // The page control has just shown it.
  virtual void shown() {}
  // The driver's connection settings changed; what of them to show.
  virtual void connectionChanged(ConnectionReadBack /*what*/) {}
  // The window closes; the inputs are saved after.
  virtual void closing() {}
  // True while it may not be left.
  virtual bool keepsPage() const { return false; }
  // The period at which it needs the window's Timer; none while it needs none.
  virtual std::optional<int> timerPeriod() const { return std::nullopt; }
  // One tick of the window's Timer for it.
  virtual void timerTick() {}

 protected:
  // Sizes that follow the font and the other form properties of
  // widgets/form_fit.h, once the form is set up; before anything that
  // measures the controls.
  void fitForm();

  template <class P>
  void onClick(QAbstractButton* button, void (P::*handler)()) {
    auto* page = static_cast<P*>(this);
    connect(button, &QAbstractButton::clicked, this,
            [this, page, button, handler] { host_.handle(button, [page, handler] { (page->*handler)(); }); });
  }
  template <class P>
  void present(int code, void (P::*presenter)()) {
    auto* page = static_cast<P*>(this);
    host_.present(code, [page, presenter] { (page->*presenter)(); });
  }

  void runFramed(const PageHost::Handler& writeInputs, const char* method, int code,
                 const PageHost::Handler& late = {}, const PageHost::Handler& afterFrame = {}) {
    host_.runFramed(writeInputs, method, code, late, afterFrame);
  }
  void inFrame(const PageHost::Handler& inside) { host_.inFrame(inside); }
  void ShowCommandResult(int code) { host_.ShowCommandResult(code); }
  void guard(const PageHost::Handler& handler) { host_.guard(handler); }
  void writePassword() { host_.writePassword(); }

  // Integer fields: decimal integers typed, 0 for a text that is not one.
  int32_t intField(const QLineEdit* field) const;
  // Decimal fields in the user's format; a text that does not convert raises.
  double decimalField(const QLineEdit* field) const;
  QString driverText(const char* name) const;
  // The highlight colour, given a control just before a value is written.
  static void paint(QWidget* control);
  static void appendLine(QPlainTextEdit* memo, const std::string& utf8);

  // The numeric fields' guards: integer fields, and a decimal field with its
  // check on leaving.
  void guardIntegerFields(std::initializer_list<QLineEdit*> fields);
  void guardDecimalField(QLineEdit* field, std::function<void(QLineEdit*)> exit);

  PageHost& host_;
  lk40::automation::Driver& Driver;
  const lk40::platform::RegionalFormats& formats_;
  const ErrorBox& showError_;
  Logging& logging_;
  const QList<QWidget*> statusFields_;

 private:
  const int id_;
};
