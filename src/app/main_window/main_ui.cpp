#include "main_window/main_ui.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "myconsts.h"
#include "pages/page_id.h"
#include "widgets/keyboard_path.h"
#include "widgets/ui_builders.h"

namespace {

using namespace mainui;

void setupStatusPanel(QWidget* form, MainUi& ui) {
  ui.Panel1 = new QFrame(form);
  QFrame* panel = ui.Panel1;
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setFrameShadow(QFrame::Raised);

  const auto status = [panel](const char* name) {
    QLineEdit* e = makeOutput(panel, name);
    e->setFocusPolicy(Qt::NoFocus);
    // A frame dump of thirty bytes, about ninety characters, stays readable in full.
    const QFontMetrics fm = e->fontMetrics();
    int digit = 0;
    for (const QChar c : QStringLiteral("0123456789ABCDEF")) digit = qMax(digit, fm.horizontalAdvance(c));
    e->setMinimumWidth(30 * 2 * digit + 29 * fm.horizontalAdvance(QLatin1Char(' ')) + 16);
    return e;
  };
  ui.edtError = status("edtError");
  ui.edtSend = status("edtSend");
  ui.edtRecieve = status("edtRecieve");
  ui.lblError = makeLabel(panel, "lblError", QStringLiteral("Ошибка"), ui.edtError);
  ui.lblSend = makeLabel(panel, "lblSend", QStringLiteral("Передано"), ui.edtSend);
  ui.lblRecieve = makeLabel(panel, "lblRecieve", QStringLiteral("Принято"), ui.edtRecieve);

  ui.Label28 = makeLabel(panel, "Label28", QString());
  ui.Label28->setMinimumWidth(
      ui.Label28->fontMetrics().horizontalAdvance(QStringLiteral("Время выполнения 123456 мс")) + 4);
  ui.edtDefault = makeButton(panel, "edtDefault", QStringLiteral("По умолчанию"));
  ui.btnSettings = makeButton(panel, "btnSettings", QStringLiteral("Настройки"));
  ui.btnAbout = makeButton(panel, "btnAbout", QStringLiteral("О программе"));
  ui.btnExit = makeButton(panel, "btnExit", QStringLiteral("Выход"));

  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->addWidget(ui.lblError, 0, 0);
  grid->addWidget(ui.edtError, 0, 1);
  grid->addWidget(ui.lblSend, 1, 0);
  grid->addWidget(ui.edtSend, 1, 1);
  grid->addWidget(ui.lblRecieve, 2, 0);
  grid->addWidget(ui.edtRecieve, 2, 1);
  grid->setColumnMinimumWidth(2, 8);
  grid->addWidget(ui.Label28, 0, 3, 1, 2);
  grid->addWidget(ui.edtDefault, 1, 3);
  grid->addWidget(ui.btnSettings, 1, 4);
  grid->addWidget(ui.btnAbout, 2, 3);
  grid->addWidget(ui.btnExit, 2, 4);
  grid->setColumnStretch(1, 1);
}

QHBoxLayout* setupPasswordRow(QWidget* form, MainUi& ui) {
  // The password belongs to the window, not to a page: it stands above the
  // pages as the window's own child, so disabling the pages during a call
  // never disables it.
  ui.Edit53 = makeEdit(form, "Edit53", myconsts::kDefaultPassword, 4, 6);
  ui.StaticText1 = makeLabel(form, "StaticText1", QStringLiteral("Пароль"), ui.Edit53);
  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 1, 2, 0);
  row->addStretch(1);
  row->addWidget(ui.StaticText1);
  row->addWidget(ui.Edit53);
  return row;
}

// Tab walks the tab row, the password, the shown page as the operator reads it
// and then the status panel; hidden pages are passed over by the toolkit.
void setupKeyboardPath(QWidget* form, MainUi& ui) {
  QList<QWidget*> chain{ui.PageControl, ui.Edit53};
  QList<QWidget*> pages;
  for (int i = 0; i < ui.PageControl->count(); ++i) pages << ui.PageControl->widget(i);
  for (QWidget* page : pages) chain << keyboardpath::readingOrder(page);
  chain << keyboardpath::readingOrder(ui.Panel1);
  keyboardpath::chainTabOrder(chain);
  keyboardpath::nameFieldsByLabels(form);
  for (QWidget* page : pages) keyboardpath::nameFieldsByLabels(page);
}

}  // namespace

void setupMainUi(QWidget* form, MainUi& ui) {
  form->setWindowTitle(myconsts::kCaptionMain);
  form->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                       Qt::WindowCloseButtonHint);

  ui.PageControl = new QTabWidget(form);
  ui.PageControl->setObjectName(QStringLiteral("PageControl"));
  ui.PageControl->setDocumentMode(false);
  ui.PageControl->setUsesScrollButtons(false);

  ui.TabSheet1 = makePage(ui.PageControl, "TabSheet1", QStringLiteral("Начало"), PageID::Connection);
  ui.TabSheet5 = makePage(ui.PageControl, "TabSheet5", QStringLiteral("Настройки"), PageID::Settings);
  ui.TabSheet3 = makePage(ui.PageControl, "TabSheet3", QStringLiteral("Вес"), PageID::Weighing);
  ui.TabSheet4 = makePage(ui.PageControl, "TabSheet4", QStringLiteral("Градуировка"), PageID::Calibration);
  ui.TabSheet2 = makePage(ui.PageControl, "TabSheet2", QStringLiteral("ЛУ"), PageID::LogicalDevices);
  ui.TabSheet6 = makePage(ui.PageControl, "TabSheet6", QStringLiteral("Весовые каналы"), PageID::Channels);
  ui.TabSheet7 = makePage(ui.PageControl, "TabSheet7", QStringLiteral("Тест"), PageID::Test);

  QHBoxLayout* passwordRow = setupPasswordRow(form, ui);
  setupConnectionPage(ui.TabSheet1, ui);
  setupSettingsPage(ui.TabSheet5, ui);
  setupWeighingPage(ui.TabSheet3, ui);
  setupCalibrationPage(ui.TabSheet4, ui);
  setupLogicalDevicesPage(ui.TabSheet2, ui);
  setupChannelsPage(ui.TabSheet6, ui);
  setupTestPage(ui.TabSheet7, ui);
  setupStatusPanel(form, ui);

  ui.Timer = new QTimer(form);
  ui.Timer->setObjectName(QStringLiteral("Timer"));
  ui.Timer->setInterval(100);

  auto* layout = new QVBoxLayout(form);
  layout->setContentsMargins(6, 6, 6, 6);
  // The password row shares the cell of the pages, standing in the tab row's
  // free corner on top of the page control.
  auto* pageArea = new QGridLayout;
  pageArea->addWidget(ui.PageControl, 0, 0);
  pageArea->addLayout(passwordRow, 0, 0, Qt::AlignTop);
  layout->addLayout(pageArea, 1);
  layout->addWidget(ui.Panel1);

  ui.PageControl->setCurrentIndex(0);
  // The size is fixed once, from the largest page, so that hiding the password
  // or a tab later never resizes the window.
  form->ensurePolished();
  layout->activate();
  form->setFixedSize(form->sizeHint());
  setupKeyboardPath(form, ui);
}
