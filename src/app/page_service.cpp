// "Настройки": password change, key emulation, keyboard lock and supply state.
#include "tfrm_main.h"

void TfrmMain::wireServicePage() {}
