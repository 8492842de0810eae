// Every control of the channel characteristics dialog by its form name;
// setupSetChannelParamUi builds them, lays the dialog out and sets its tab order.
#pragma once

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class RadioGroup;

struct SetChannelParamUi {
  QLabel* Label1{};
  QLineEdit* Edit1{};   // "Номер канала"
  QLabel* Label3{};
  QLineEdit* Edit3{};   // "Степень"
  QPushButton* Button3{};  // "расчет"
  QLabel* Label4{};
  QLineEdit* Edit4{};   // "НПВ"
  QLabel* Label5{};
  QLineEdit* Edit5{};   // "НмПВ"
  QLabel* Label6{};
  QLineEdit* Edit6{};   // "Максимальная тара"
  QLabel* Label7{};
  QLineEdit* Edit7{};   // "Диапазон 1"
  QLabel* Label8{};
  QLineEdit* Edit8{};
  QLabel* Label9{};
  QLineEdit* Edit9{};
  QLabel* Label10{};
  QLineEdit* Edit10{};  // "Дискретность 1"
  QLabel* Label11{};
  QLineEdit* Edit11{};
  QLabel* Label12{};
  QLineEdit* Edit12{};
  QLabel* Label13{};
  QLineEdit* Edit13{};
  QLabel* Label14{};
  QLineEdit* Edit14{};  // "Кол-во градуир. точек"
  RadioGroup* RadioGroup1{};  // "Тип канала"
  RadioGroup* RadioGroup2{};  // "Выботка массы тары"
  QPushButton* Button1{};  // "Отмена"
  QPushButton* Button2{};  // "Записать", the default button
};

void setupSetChannelParamUi(QDialog* form, SetChannelParamUi& ui);
