// Every control of the weight display window by its form name: its form
// (tfrm_display.ui) compiled by uic, and its timer. setupDisplayUi sets the
// form up, adds what the form file cannot say (fonts scaled from the window's,
// sizes that follow them, the lamps' pictures) and fixes the window's size.
#pragma once

#include "ui_tfrm_display.h"

class QTimer;

struct DisplayUi : Ui::TfrmDisplay {
  // The lamps Image1 .. Image4 stand beside Label8, Label9, Label3 and Label7.
  QTimer* Timer{};
};

void setupDisplayUi(QDialog* form, DisplayUi& ui);
