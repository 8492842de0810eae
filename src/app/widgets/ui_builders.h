// The small builders every page's construction shares: labelled fields,
// outputs, buttons, lists and memos with the window's common look.
#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QFormLayout;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QWidget;
class RadioGroup;
struct MainUi;

namespace mainui {

// Room for this many digits plus the edit's frame and text margins.
int widthForChars(const QWidget* w, int chars);
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QWidget* buddy = nullptr);
// typingLimit 0: the operator may type any length. The key filter reads the
// property instead of QLineEdit's own limit, which would also cut texts the
// program writes.
QLineEdit* makeEdit(QWidget* parent, const char* name, const QString& text, int typingLimit = 0, int chars = 0);
void showButtonFace(QWidget* w);
QLineEdit* makeOutput(QWidget* parent, const char* name, int chars = 0);
// Read-only, out of the tab order and on the button face: fields the operator
// only reads.
QLineEdit* makeDisplayField(QWidget* parent, const char* name);
QPushButton* makeButton(QWidget* parent, const char* name, const QString& text);
QComboBox* makeCombo(QWidget* parent, const char* name, const QStringList& items, int index, bool editable);
QPlainTextEdit* makeMemo(QWidget* parent, const char* name, bool readOnly, bool wrap);
RadioGroup* makeRadioGroup(QWidget* parent, const char* name, const QString& caption, const QStringList& items,
                           int index);
QFrame* makeSeparator(QWidget* parent, const char* name);
QGroupBox* makeGroupBox(QWidget* parent, const char* name, const QString& caption);
QStringList portItems(const QString& prefix);
QStringList baudRateItems();
constexpr int kBaudRate9600 = 2;
// The group boxes' fields: labels in one left-aligned column, fields filling the rest.
QFormLayout* makeForm();
void addFieldRow(QGridLayout* grid, int row, QLabel* label, QWidget* field, QLabel* unit = nullptr);
// A page of the page control, carrying its page identifier.
QWidget* makePage(QTabWidget* pages, const char* name, const QString& caption, int pageId);

// Each page's controls, built in that page's own file.
void setupConnectionPage(QWidget* page, MainUi& ui);         // pages/connection_ui.cpp
void setupSettingsPage(QWidget* page, MainUi& ui);       // pages/settings_ui.cpp
void setupWeighingPage(QWidget* page, MainUi& ui);      // pages/weighing_ui.cpp
void setupCalibrationPage(QWidget* page, MainUi& ui);   // pages/calibration_ui.cpp
void setupLogicalDevicesPage(QWidget* page, MainUi& ui);  // pages/logical_devices_ui.cpp
void setupChannelsPage(QWidget* page, MainUi& ui);      // pages/channels_ui.cpp
void setupTestPage(QWidget* page, MainUi& ui);          // pages/test_ui.cpp

}  // namespace mainui
