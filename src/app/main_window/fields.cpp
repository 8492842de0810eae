// The guards of the window's own numeric field, the password, and of the
// pages' not yet made as classes.
#include <QLineEdit>

#include "main_window/tfrm_main.h"
#include "widgets/numeric_fields.h"

void TfrmMain::installFieldGuards() {
  for (QLineEdit* field : {ui.Edit53})
    numericfields::guardInteger(field, [this](const auto& check) { guard(check); });
}
