// Every control of the main window by its form name: the frame's form
// (tfrm_main.ui) and one form per page (pages/*.ui), compiled by uic into one
// struct so that the window reaches each control as ui.<form name>.
// setupMainUi sets them all up and adds what the form files cannot say.
//
// Layout rule the command frame relies on: the controls of a page are direct
// children of its page widget, and the controls of a group box direct children
// of that group box (layouts arrange them, no container widgets in between).
#pragma once

#include "ui_test.h"
#include "ui_tfrm_main.h"

class QTimer;

// Pages by index: 0 TabSheet1 "Начало", 1 TabSheet5 "Настройки", 2 TabSheet3
// "Вес", 3 TabSheet4 "Градуировка", 4 TabSheet2 "ЛУ", 5 TabSheet6
// "Весовые каналы", 6 TabSheet7 "Тест".
struct MainUi : Ui::TfrmMain,
                Ui::TestPage {
  // A form holds widgets only: the window's timer is made in code.
  QTimer* Timer{};
};

// Sets up the window's form into form (the main window) and the forms of the
// pages not yet made as classes, and gives each of those its page identifier.
void setupMainUi(QWidget* form, MainUi& ui);
// Once every page stands on the page control: the window's fixed size and the
// keyboard path through the frame and the pages.
void finishMainUi(QWidget* form, MainUi& ui);
