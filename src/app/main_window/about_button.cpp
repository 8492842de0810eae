// "О программе": the driver's version line and the About window.
#include "about/tfrm_about.h"
#include "main_window/tfrm_main.h"

void TfrmMain::btnAboutClick() {
  QString line;
  try {
    const auto ms = static_cast<uint32_t>(Driver.getInt("FileVersionMS"));
    const auto ls = static_cast<uint32_t>(Driver.getInt("FileVersionLS"));
    // The letter A stands where the driver's major number would.
    line = QStringLiteral("Версия драйвера: A.%1.%2.%3").arg(ms & 0xFFFF).arg(ls >> 16).arg(ls & 0xFFFF);
  } catch (const std::exception&) {
    // Any failure leaves the line empty; the window still opens.
  }
  ShowAboutWindow(line, this);
}
