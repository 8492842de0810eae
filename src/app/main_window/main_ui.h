// Every control of the main window, by its form name, as a form designer would
// generate it; setupMainUi builds the window's controls and layouts.
//
// Layout rule the command frame relies on: the controls of a page are direct
// children of its page widget, and the controls of a group box direct children
// of that group box (layouts arrange them, no container widgets in between).
#pragma once

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTimer;
class QToolButton;
class QTreeWidget;
class QWidget;
class RadioGroup;

struct MainUi {
  // The window itself.
  QTabWidget* PageControl{};
  QFrame* Panel1{};
  QLabel* lblError{};
  QLineEdit* edtError{};
  QLabel* lblSend{};
  QLineEdit* edtSend{};
  QLabel* lblRecieve{};
  QLineEdit* edtRecieve{};
  QLabel* Label28{};
  QPushButton* edtDefault{};
  QPushButton* btnSettings{};
  QPushButton* btnAbout{};
  QPushButton* btnExit{};
  QLabel* StaticText1{};
  QLineEdit* Edit53{};
  QTimer* Timer{};

  // Pages by index: 0 TabSheet1 "Начало", 1 TabSheet5 "Настройки", 2 TabSheet3
  // "Вес", 3 TabSheet4 "Градуировка", 4 TabSheet2 "ЛУ", 5 TabSheet6
  // "Весовые каналы", 6 TabSheet7 "Тест".
  QWidget* TabSheet1{};
  QWidget* TabSheet5{};
  QWidget* TabSheet3{};
  QWidget* TabSheet4{};
  QWidget* TabSheet2{};
  QWidget* TabSheet6{};
  QWidget* TabSheet7{};

  // "Начало"
  QGroupBox* GroupBox5{};  // "Параметры RS-232"
  QComboBox* ComboBox2{};
  QComboBox* cbBaudRate{};
  QLineEdit* edtTimeOut{};
  QLineEdit* Edit17{};
  QPushButton* Button15{};
  QPushButton* Button68{};
  QPushButton* btnGetChangeParam{};
  QPushButton* btnSetChangeParam{};
  QPushButton* Button36{};
  QPushButton* Button21{};
  QPushButton* Button1{};
  QPushButton* Button2{};
  RadioGroup* RadioGroup1{};
  QPushButton* Button37{};
  QLineEdit* Edit16{};
  QGroupBox* GroupBox3{};  // "Описание устройства"
  QLineEdit* Edit23{};
  QLineEdit* Edit25{};
  QLineEdit* Edit29{};
  QLineEdit* Edit31{};
  QLineEdit* Edit24{};
  QLineEdit* Edit26{};
  QLineEdit* Edit32{};

  // "Настройки"
  QLineEdit* Edit4{};
  QPushButton* Button19{};
  QPushButton* Button67{};
  QLineEdit* Edit123{};
  QPushButton* Button16{};
  QCheckBox* CheckBox7{};
  QPushButton* Button14{};
  QPlainTextEdit* Memo4{};

  // "Вес"
  QPushButton* Button18{};
  QPushButton* Button24{};
  QPushButton* Button23{};
  QPlainTextEdit* Memo3{};
  QPushButton* Button25{};
  QLineEdit* Edit1{};
  QPushButton* Button34{};
  QPushButton* Button35{};
  QLineEdit* Edit12{};
  RadioGroup* RadioGroup3{};
  QLineEdit* Edit14{};
  QPushButton* Button20{};

  // "Градуировка"
  QPushButton* Button26{};
  QPushButton* Button3{};
  QPushButton* Button4{};
  QPushButton* Button5{};
  QPushButton* Button11{};
  QPushButton* Button9{};
  QLineEdit* Edit7{};
  QLineEdit* Edit2{};
  QLineEdit* Edit5{};
  RadioGroup* RadioGroup2{};
  QPushButton* Button22{};
  QLineEdit* Edit6{};
  QToolButton* SpeedButton1{};

  // "ЛУ"
  QLineEdit* Edit13{};
  QLineEdit* Edit8{};
  QComboBox* ComboBox3{};
  QComboBox* ComboBox4{};
  QLineEdit* Edit20{};
  QLineEdit* Edit33{};
  QLineEdit* Edit15{};
  QPushButton* Button72{};
  QPushButton* Button71{};
  QPushButton* Button7{};
  QPushButton* Button6{};
  QPushButton* Button69{};
  QPushButton* Button70{};
  QPushButton* Button10{};
  QPushButton* Button8{};
  QTreeWidget* ListView1{};

  // "Весовые каналы"
  QLineEdit* Edit10{};
  QLineEdit* Edit9{};
  QPlainTextEdit* Memo1{};
  QPushButton* Button27{};
  QPushButton* Button33{};
  QPushButton* Button28{};
  QPushButton* Button29{};
  QCheckBox* CheckBox5{};
  QPushButton* Button30{};
  QPushButton* Button31{};
  QPushButton* Button32{};

  // "Тест"
  QTableWidget* StringGrid1{};
  QPushButton* Button12{};
  QPushButton* Button13{};
  QLabel* Label3{};
  QLineEdit* Edit3{};
  QLabel* Label4{};
  QPlainTextEdit* Memo2{};
  QLabel* Label5{};
  QLineEdit* Edit11{};
  QPushButton* Button17{};
  QGroupBox* GroupBox1{};  // "Информация"
  QLabel* Label8{};
  QLabel* Label13{};
  QLabel* Label10{};
  QLabel* Label14{};
  QLabel* Label11{};
  QLabel* Label15{};
  QLabel* Label16{};
  QLabel* Label17{};
  QLabel* Label18{};
  QLabel* Label20{};
};

// Builds every control into form (the main window), sets its object name to
// its form name, its caption, start value, items, read-only state, typing
// limit and tab-stop, and lays the window out at a fixed size.
void setupMainUi(QWidget* form, MainUi& ui);
