// Every control of the weight display window by its form name; setupDisplayUi
// builds them and lays the window out at a fixed size.
#pragma once

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

struct DisplayUi {
  QLabel* Label1{};
  QLineEdit* edtWeight{};
  QLabel* Label4{};
  QLabel* Label2{};
  QLineEdit* edtTare{};
  QLabel* Label5{};
  QLabel* Label8{};
  QLabel* Label9{};
  QLabel* Label3{};
  QLabel* Label7{};
  // The lamp places beside Label8, Label9, Label3 and Label7, in that order.
  QLabel* Image1{};
  QLabel* Image2{};
  QLabel* Image3{};
  QLabel* Image4{};
  QPushButton* Button1{};
  QPushButton* Button2{};
  QTimer* Timer{};
};

void setupDisplayUi(QDialog* form, DisplayUi& ui);
