// The main window's Timer serves two users and chooses per tick by the page
// shown: the soak test on the test page's position, the ADC reading elsewhere.
#include <QTabWidget>

#include "page_id.h"
#include "tfrm_main.h"

void TfrmMain::TimerTimer() {
  if (ui.PageControl->currentIndex() == PageID::kTestPageIndex)
    testTick();
  else
    adcTick();
}
