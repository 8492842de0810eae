// The main window's own controls by their form names (tfrm_main.ui): the page
// control, the password and the status panel. The pages set up their own
// forms (pages/<page>/); setupMainUi adds what the form file cannot say.
#pragma once

#include "ui_tfrm_main.h"

class QTimer;

struct MainUi : Ui::TfrmMain {
  // A form holds widgets only: the window's timer is made in code.
  QTimer* Timer{};
};

// Sets up the window's form into form (the main window), before the pages are made.
void setupMainUi(QWidget* form, MainUi& ui);
// Once every page stands on the page control: the window's fixed size and the
// keyboard path through the frame and the pages.
void finishMainUi(QWidget* form, MainUi& ui);
