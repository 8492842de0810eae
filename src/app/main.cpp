// The bench: one main window that lives from start to exit.
#include <QApplication>

#include "tfrm_main.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName(QStringLiteral("lk40-drvtest"));
  TfrmMainOptions options;
  // Qt has taken its own arguments out of the command line by now.
  options.arguments = QApplication::arguments().mid(1);
  TfrmMain window(std::move(options));
  if (!window.started()) return 0;
  window.show();
  return app.exec();
}
