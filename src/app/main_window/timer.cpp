// The main window's Timer serves two users and chooses per tick by the page
// shown: the soak test on the test page's position, the ADC reading elsewhere.
#include <QTabWidget>

#include "main_window/tfrm_main.h"
#include "pages/page_id.h"

void TfrmMain::TimerTimer() {
  if (ui.PageControl->currentIndex() == PageID::kTestPageIndex)
    testTick();
  else
    adcTick();
}
