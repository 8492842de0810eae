// The Qt settings dialog. Built in code: four connection fields, the fault
// section beside them and two buttons.
#include "sim_settings_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

#include "sim_faults_dialog.h"

namespace lk40::sim {
namespace {

const char* const kSpeeds[] = {"2400", "4800", "9600", "19200", "38400", "57600", "115200"};
constexpr int kPorts = 32;

}  // namespace

DialogOutcome editSettingsInDialog(StoredSettings& settings) {
  // A plain process (a test, a console host) has no widgets to show.
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    return DialogOutcome::NotAvailable;
  }

  QDialog dialog(QApplication::activeWindow());
  dialog.setObjectName(QStringLiteral("SimSettingsDialog"));
  dialog.setWindowTitle(QString::fromUtf8("Параметры драйвера"));

  auto* port = new QComboBox(&dialog);
  port->setObjectName(QStringLiteral("cbComNumber"));
  for (int i = 1; i <= kPorts; ++i) port->addItem(QStringLiteral("Com%1").arg(i));
  port->setCurrentIndex(settings.comNumber >= 1 && settings.comNumber <= kPorts ? settings.comNumber - 1 : 0);

  auto* speed = new QComboBox(&dialog);
  speed->setObjectName(QStringLiteral("cbBaudRate"));
  for (const char* rate : kSpeeds) speed->addItem(QString::fromLatin1(rate));
  speed->setCurrentIndex(settings.baudRate >= 0 && settings.baudRate <= 6 ? settings.baudRate : 2);

  auto* timeout = new QSpinBox(&dialog);
  timeout->setObjectName(QStringLiteral("sbTimeout"));
  timeout->setRange(1, 0xFFFF);
  timeout->setValue(std::clamp(settings.timeout, 1, 0xFFFF));

  auto* password = new QSpinBox(&dialog);
  password->setObjectName(QStringLiteral("sbPassword"));
  password->setRange(0, 9999);
  password->setValue(std::clamp(settings.password, 0, 9999));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  buttons->setObjectName(QStringLiteral("buttonBox"));
  buttons->button(QDialogButtonBox::Ok)->setText(QString::fromUtf8("ОК"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8("Отмена"));
  FaultsSection faults(&dialog, settings.faults);
  FaultPlan chosen;
  // A fault field that holds nothing valid keeps the dialog open.
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    QString problem;
    if (const auto plan = faults.plan(problem)) {
      chosen = *plan;
      dialog.accept();
    } else {
      QMessageBox::warning(&dialog, dialog.windowTitle(), problem);
    }
  });
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

  auto* connection = new QGroupBox(QString::fromUtf8("Связь"), &dialog);
  auto* form = new QFormLayout(connection);
  form->addRow(QString::fromUtf8("Порт"), port);
  form->addRow(QString::fromUtf8("Скорость"), speed);
  form->addRow(QString::fromUtf8("Таймаут"), timeout);
  form->addRow(QString::fromUtf8("Пароль"), password);
  auto* sections = new QHBoxLayout;
  sections->addWidget(connection, 0, Qt::AlignTop);
  sections->addWidget(faults.box());
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(sections);
  layout->addWidget(buttons);

  if (dialog.exec() != QDialog::Accepted) return DialogOutcome::Cancelled;
  settings.faults = chosen;
  settings.comNumber = port->currentIndex() + 1;
  settings.baudRate = speed->currentIndex();
  settings.timeout = timeout->value();
  settings.password = password->value();
  return DialogOutcome::Accepted;
}

}  // namespace lk40::sim
