// The bench: one main window that lives from start to exit.
#include <QApplication>
#include <QIcon>

#include "main_window/tfrm_main.h"

namespace {

// The installed icon's picture at every size the desktop may ask for.
QIcon applicationIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/icons/lk40-drvtest-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName(QStringLiteral("lk40-drvtest"));
  // Ties the windows to the desktop entry (and its icon) where the desktop
  // matches them by that name rather than by the window class.
  QGuiApplication::setDesktopFileName(QStringLiteral(LK40_APP_ID));
  QApplication::setWindowIcon(applicationIcon());
  TfrmMainOptions options;
  // Qt has taken its own arguments out of the command line by now.
  options.arguments = QApplication::arguments().mid(1);
  TfrmMain window(std::move(options));
  if (!window.started()) return 0;
  window.show();
  return app.exec();
}
