// The main window's Timer serves two users and chooses per tick by the page
// shown: the soak test on the test page, the ADC reading elsewhere.
#include <QTabWidget>

#include "main_window/tfrm_main.h"
#include "pages/page.h"
#include "pages/page_id.h"

void TfrmMain::TimerTimer() {
  if (Page* shown = page(shownPage())) shown->timerTick();
}
