// Unit About: the About window TfrmAbout, its opening procedure and the
// reading of a file's four-part version.
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class TfrmAbout : public QDialog {
  Q_OBJECT

 public:
  // FormCreate: Label9 gets the version read from the running program's file.
  explicit TfrmAbout(QWidget* parent = nullptr);

  QFrame* Panel1{};
  QLabel* Image1{};
  QLabel* Label1{};
  QFrame* Shape1{};
  QLabel* Label9{};
  QLabel* Label10{};
  QLabel* Label4{};
  QLabel* Label6{};
  QLabel* Label8{};
  QPlainTextEdit* Memo1{};
  QPushButton* Button1{};

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
