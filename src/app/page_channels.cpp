// "Весовые каналы": channel count, selection, switching, characteristics and restart.
#include "tfrm_main.h"

void TfrmMain::wireChannelsPage() {}
