// Unit About: the About window TfrmAbout, its opening procedure and the
// reading of a file's four-part version. The window's controls come from its
// form (tfrm_about.ui) by their form names: Panel1 with the picture Image1,
// Label1 the title, Label9 the program's version, Label10 the driver's, the
// contact lines Label4, Label6 and Label8, Memo1 and Button1.
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>

#include "ui_tfrm_about.h"

class TfrmAbout : public QDialog, public Ui::TfrmAbout {
  Q_OBJECT

 public:
  // FormCreate: Label9 gets the version read from the running program's file.
  explicit TfrmAbout(QWidget* parent = nullptr);

 private:
  void Label4Click();
  void Label6Click();
  void Label8Click();
};

// Creates the window without an owner, centred over centreOn when given, puts
// driverVersionLine into Label10, shows it modally and destroys it when it
// closes, also after an error.
void ShowAboutWindow(const QString& driverVersionLine, const QWidget* centreOn = nullptr);

// Sets the four numbers from the file's version record; leaves them untouched
// when the file has none.
void ReadFileVersion(const QString& fileName, uint16_t& major, uint16_t& minor, uint16_t& release, uint16_t& build);
