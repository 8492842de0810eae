// "Градуировка": calibration mode, calibration points and process, the ADC
// reading once and continuously.
#include "tfrm_main.h"

void TfrmMain::wireCalibrationPage() {}

void TfrmMain::adcTick() {}
