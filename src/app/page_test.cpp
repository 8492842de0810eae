// "Тест": the soak test's start and stop.
#include "tfrm_main.h"

void TfrmMain::Button17Click() {
  // The soak test and its log are built with the test page's operations; the
  // window's close already stops a running test through this button.
}
