// The operator's inputs kept between runs, the pages' defaults, and the
// driver's own settings dialog.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <algorithm>
#include <vector>

#include "core/numbers.h"
#include "main_window/tfrm_main.h"
#include "myconsts.h"
#include "pages/page.h"
#include "pages/page_id.h"
#include "platform/settings_store.h"
#include "widgets/combo_box.h"
#include "widgets/radio_group.h"

using lk40::platform::ReadResult;

namespace {

const char* const kSettingsKey = "\\SOFTWARE\\Kelvor\\Tests\\DrvTarvo\\Param";

// The window's own saved input.
std::vector<SavedInput> windowInputs(const MainUi& ui) {
  return {{161, ui.Edit53}};
}

// Restores one control; false when its value is missing or of the wrong type.
bool restore(QWidget* control, const std::string& name, const lk40::platform::SettingsKey& key) {
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    std::string text;
    const ReadResult r = key.readString(name, text);
    if (r == ReadResult::WrongType) return false;
    edit->setText(r == ReadResult::Ok ? QString::fromStdString(text) : QString());
    return true;
  }
  int32_t value = 0;
  if (key.readInteger(name, value) != ReadResult::Ok) return false;
  if (auto* check = qobject_cast<QCheckBox*>(control))
    check->setChecked(value != 0);
  else if (auto* combo = qobject_cast<QComboBox*>(control))
    setComboIndex(combo, value);
  else if (auto* group = qobject_cast<RadioGroup*>(control))
    group->setItemIndex(value);
  return true;
}

void save(const QWidget* control, const std::string& name, lk40::platform::SettingsKey& key) {
  if (auto* edit = qobject_cast<const QLineEdit*>(control))
    key.writeString(name, edit->text().toStdString());
  else if (auto* check = qobject_cast<const QCheckBox*>(control))
    key.writeInteger(name, check->isChecked() ? 1 : 0);
  else if (auto* combo = qobject_cast<const QComboBox*>(control))
    key.writeInteger(name, combo->currentIndex());
  else if (auto* group = qobject_cast<const RadioGroup*>(control))
    key.writeInteger(name, group->itemIndex());
}

// The window's and every page's, in the order of their value names, as they
// were always restored and saved.
std::vector<SavedInput> savedInputs(const MainUi& ui, const std::vector<Page*>& pages) {
  std::vector<SavedInput> inputs = windowInputs(ui);
  for (const Page* made : pages) {
    const auto own = made->savedInputs();
    inputs.insert(inputs.end(), own.begin(), own.end());
  }
  std::sort(inputs.begin(), inputs.end(),
            [](const SavedInput& a, const SavedInput& b) { return a.valueName < b.valueName; });
  return inputs;
}

// A page's defaults, and the window's password with them but on "ЛУ".
void applyDefaults(const MainUi& ui, Page& page) {
  if (page.id() != PageID::LogicalDevices) ui.Edit53->setText(myconsts::kDefaultPassword);
  page.applyDefaults();
}

}  // namespace

void TfrmMain::applyAllDefaults() {
  // The program shows each page itself; the page-change rules do not run.
  const QSignalBlocker blocker(ui.PageControl);
  for (int index = ui.PageControl->count() - 1; index >= 0; --index) {
    ui.PageControl->setCurrentIndex(index);
    applyDefaults(ui, *page(shownPage()));
  }
}

void TfrmMain::edtDefaultClick() { applyDefaults(ui, *page(shownPage())); }

void TfrmMain::loadSettings() {
  const lk40::platform::SettingsStore store(options_.settingsFile);
  const auto key = store.open(kSettingsKey, false);
  if (!key) return;
  for (const SavedInput& saved : savedInputs(ui, pages_)) {
    if (!restore(saved.control, std::to_string(saved.valueName), *key)) {
      key->close();
      options_.showError(this, myconsts::kSettingsLoadError, myconsts::kCaptionAttention);
      applyAllDefaults();
      return;
    }
  }
  key->close();
}

void TfrmMain::saveSettings() {
  const lk40::platform::SettingsStore store(options_.settingsFile);
  std::string error;
  if (const auto key = store.open(kSettingsKey, true, &error)) {
    for (const SavedInput& saved : savedInputs(ui, pages_)) save(saved.control, std::to_string(saved.valueName), *key);
    if (key->close()) return;
    error = key->error();
  }
  // A store that cannot be written is no reason to keep the window open, but
  // the operator learns that the inputs were not kept, and why.
  options_.showError(this, QString::fromStdString(error), myconsts::kCaptionAttention);
}

void TfrmMain::btnSettingsClick() {
  Driver.call("ShowProperties");
  readConnectionBack(ConnectionReadBack::Settings);
  ui.Edit53->setText(QString::number(Driver.getInt("Password")));
  ShowCommandResult(0);
}
