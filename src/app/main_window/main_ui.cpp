#include "main_window/main_ui.h"

#include "core/adc_reading_period.h"
#include "myconsts.h"
#include "pages/page.h"
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

}  // namespace

void finishMainUi(QWidget* form, MainUi& ui) {
  // The largest page sets the size: hiding the password or a tab later never resizes the window.
  formfit::fixSize(form);
  // Tab walks the tab row, the password, the shown page along its own path
  // and then the status panel; hidden pages are passed over by the toolkit.
  QList<QWidget*> chain{ui.PageControl, ui.Edit53};
  QList<Page*> pages;
  for (int i = 0; i < ui.PageControl->count(); ++i) pages << qobject_cast<Page*>(ui.PageControl->widget(i));
  for (Page* page : pages) chain << page->keyboardPath();
  chain << keyboardpath::readingOrder(ui.Panel1);
  keyboardpath::chainTabOrder(chain);
  keyboardpath::nameFieldsByLabels(form);
  for (Page* page : pages) keyboardpath::nameFieldsByLabels(page);
}

void setupMainUi(QWidget* form, MainUi& ui) {
  form->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                       Qt::WindowCloseButtonHint);
  // The password belongs to the window, not to a page: it stands above the
  // pages as the window's own child, in the tab row's free corner, so that
  // disabling the pages during a call never disables it.
  ui.Ui::TfrmMain::setupUi(form);
  form->setWindowTitle(myconsts::kCaptionMain);
  ui.Edit53->setText(myconsts::kDefaultPassword);

  formfit::fit(form);
  finishStatusPanel(ui);

  ui.Timer = formfit::addTimer(form, lk40::core::kInitialTimerPeriod);
}
