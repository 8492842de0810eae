#include "main_window/main_ui.h"

#include "myconsts.h"
#include "pages/page_forms.h"
#include "pages/page_id.h"
#include "widgets/form_fit.h"
#include "widgets/keyboard_path.h"

namespace {

void finishStatusPanel(MainUi& ui) {
  // A frame dump of the device description's twenty-six bytes stays readable
  // in full; more would widen the window past 1024 pixels, the left half of a
  // 2048 x 768 desktop that the window is placed on.
  constexpr int kShownBytes = 26;
  for (QLineEdit* e : {ui.edtError, ui.edtSend, ui.edtRecieve}) {
    const QFontMetrics fm = e->fontMetrics();
    int digit = 0;
    for (const QChar c : QStringLiteral("0123456789ABCDEF")) digit = qMax(digit, fm.horizontalAdvance(c));
    e->setMinimumWidth(kShownBytes * 2 * digit + (kShownBytes - 1) * fm.horizontalAdvance(QLatin1Char(' ')) + 16);
  }
  ui.Label28->setMinimumWidth(
      ui.Label28->fontMetrics().horizontalAdvance(QStringLiteral("Время выполнения 123456 мс")) + 4);
}

// Tab walks the tab row, the password, the shown page as the operator reads it
// and then the status panel; hidden pages are passed over by the toolkit.
void setupKeyboardPath(QWidget* form, MainUi& ui) {
  QList<QWidget*> chain{ui.PageControl, ui.Edit53};
  QList<QWidget*> pages;
  for (int i = 0; i < ui.PageControl->count(); ++i) pages << ui.PageControl->widget(i);
  for (QWidget* page : pages) chain << keyboardpath::readingOrder(page);
  chain << keyboardpath::readingOrder(ui.Panel1);
  keyboardpath::chainTabOrder(chain);
  keyboardpath::nameFieldsByLabels(form);
  for (QWidget* page : pages) keyboardpath::nameFieldsByLabels(page);
}

}  // namespace

void setupMainUi(QWidget* form, MainUi& ui) {
  form->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                       Qt::WindowCloseButtonHint);
  // The password belongs to the window, not to a page: it stands above the
  // pages as the window's own child, in the tab row's free corner, so that
  // disabling the pages during a call never disables it.
  ui.Ui::TfrmMain::setupUi(form);
  ui.Ui::ConnectionPage::setupUi(ui.TabSheet1);
  ui.Ui::SettingsPage::setupUi(ui.TabSheet5);
  ui.Ui::WeighingPage::setupUi(ui.TabSheet3);
  ui.Ui::CalibrationPage::setupUi(ui.TabSheet4);
  ui.Ui::LogicalDevicesPage::setupUi(ui.TabSheet2);
  ui.Ui::ChannelsPage::setupUi(ui.TabSheet6);
  ui.Ui::TestPage::setupUi(ui.TabSheet7);
  form->setWindowTitle(myconsts::kCaptionMain);
  ui.Edit53->setText(myconsts::kDefaultPassword);

  const std::pair<QWidget*, int> pageIds[] = {
      {ui.TabSheet1, PageID::Connection}, {ui.TabSheet5, PageID::Settings},
      {ui.TabSheet3, PageID::Weighing},   {ui.TabSheet4, PageID::Calibration},
      {ui.TabSheet2, PageID::LogicalDevices}, {ui.TabSheet6, PageID::Channels},
      {ui.TabSheet7, PageID::Test}};
  for (const auto& [page, id] : pageIds) page->setProperty("pageId", id);

  formfit::fit(form);
  finishStatusPanel(ui);
  finishConnectionForm(ui);
  finishCalibrationForm(ui);
  finishLogicalDevicesForm(ui);
  finishTestForm(ui);

  ui.Timer = formfit::addTimer(form, 100);
  // The largest page sets the size: hiding the password or a tab later never resizes the window.
  formfit::fixSize(form);
  setupKeyboardPath(form, ui);
}
