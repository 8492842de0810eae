#include "sim_faults_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>
#include <map>

#include "sim_members.h"
#include "sim_scenario.h"
#include "sim_module.h"

namespace lk40::sim {
namespace {

constexpr int kMaxExchange = 999999;
const char* const kDefaultErrorText = "Ошибка драйвера (имитация)";

struct Flag {
  const char* object;
  const char* caption;
  int32_t bit;
};
constexpr Flag kWeighingFlags[] = {
    {"chkOverload", "Перегрузка (0x40)", weighing_state::kOverload},
    {"chkAdcError", "Ошибка АЦП (0x80)", weighing_state::kAdcError},
    {"chkZeroError", "Ошибка нуля при включении (0x20)", weighing_state::kZeroError},
    {"chkUnderload", "АЦП недогружен (0x100)", weighing_state::kUnderload},
};
constexpr Flag kSupplyFlags[] = {
    {"chkCharging", "Идёт зарядка", supply_flags::kCharging},
    {"chkDischarged70", "Батарея разряжена на 70%", supply_flags::kDischarged70},
    {"chkDischarged90", "Батарея разряжена на 90%", supply_flags::kDischarged90},
    {"chkVoltageOut", "Питание вне допуска", supply_flags::kOutOfRange},
};
// In the order of LoadProfile::Kind.
const char* const kProfiles[] = {"Случайная (сцена)", "Без груза", "Постоянный вес", "Ступени",
                                 "Линейный рост"};

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

template <typename T>
T* named(QWidget* parent, const char* object) {
  auto* widget = new T(parent);
  widget->setObjectName(QString::fromLatin1(object));
  return widget;
}

QWidget* row(QWidget* parent, std::initializer_list<QWidget*> widgets) {
  auto* holder = new QWidget(parent);
  auto* layout = new QHBoxLayout(holder);
  layout->setContentsMargins(0, 0, 0, 0);
  for (QWidget* w : widgets) layout->addWidget(w);
  layout->addStretch();
  return holder;
}

QGridLayout* flagGrid(QWidget* parent, const Flag (&flags)[4], QCheckBox* (&boxes)[4]) {
  auto* grid = new QGridLayout;
  for (int i = 0; i < 4; ++i) {
    boxes[i] = named<QCheckBox>(parent, flags[i].object);
    boxes[i]->setText(text(flags[i].caption));
    grid->addWidget(boxes[i], i / 2, i % 2);
  }
  return grid;
}

int32_t checked(QCheckBox* const (&boxes)[4], const Flag (&flags)[4]) {
  int32_t bits = 0;
  for (int i = 0; i < 4; ++i)
    if (boxes[i]->isChecked()) bits |= flags[i].bit;
  return bits;
}

// The first entry of a kind becomes what the fields say (or goes), the rest stay.
template <typename Entry>
void replaceFirst(std::vector<Entry>& entries, std::optional<Entry> first) {
  if (!entries.empty()) entries.erase(entries.begin());
  if (first) entries.insert(entries.begin(), std::move(*first));
}

template <typename Entry>
Window firstWindow(const std::vector<Entry>& entries) {
  return entries.empty() ? Window{} : entries.front().when;
}

}  // namespace

FaultsSection::FaultsSection(QWidget* parent, const FaultPlan& plan) : original_(plan) {
  build(parent);
  show(plan);
}

void FaultsSection::build(QWidget* parent) {
  box_ = named<QGroupBox>(parent, "gbFaults");
  box_->setTitle(text("Неисправности"));
  auto* form = new QFormLayout(box_);

  unplugged_ = named<QCheckBox>(box_, "chkUnplugged");
  unplugged_->setText(text("Модуль отключён"));
  unplugFrom_ = named<QSpinBox>(box_, "sbUnplugFrom");
  unplugFrom_->setRange(1, kMaxExchange);
  unplugCount_ = named<QSpinBox>(box_, "sbUnplugCount");
  unplugCount_->setRange(0, kMaxExchange);
  unplugCount_->setSpecialValueText(text("без конца"));
  form->addRow(unplugged_, row(box_, {new QLabel(text("с обмена"), box_), unplugFrom_,
                                      new QLabel(text("обменов:"), box_), unplugCount_}));

  slowMs_ = named<QSpinBox>(box_, "sbSlowMs");
  slowMs_->setRange(0, 60000);
  form->addRow(text("Задержка ответа, мс"), slowMs_);

  lossPercent_ = named<QDoubleSpinBox>(box_, "sbLossPercent");
  badCheckPercent_ = named<QDoubleSpinBox>(box_, "sbBadCheckPercent");
  for (QDoubleSpinBox* p : {lossPercent_, badCheckPercent_}) {
    p->setRange(0, 100);
    p->setDecimals(2);
  }
  form->addRow(text("Потеря обменов, %"), lossPercent_);
  form->addRow(text("Искажение контрольного байта, %"), badCheckPercent_);

  errorCommand_ = named<QComboBox>(box_, "cbErrorCommand");
  errorCommand_->addItem(text("нет"), -1);
  std::map<int, QString> byCode;
  for (const CommandName& c : commandNames()) {
    QString& names = byCode[c.code];
    names += (names.isEmpty() ? QString() : QStringLiteral(", ")) +
             QString::fromLatin1(c.method.data(), static_cast<int>(c.method.size()));
  }
  for (const auto& [code, names] : byCode) {
    const QString hex = QStringLiteral("%1").arg(code, 2, 16, QLatin1Char('0')).toUpper();
    errorCommand_->addItem(QStringLiteral("0x") + hex + QLatin1Char(' ') + names, code);
  }
  errorCode_ = named<QSpinBox>(box_, "sbErrorCode");
  errorCode_->setRange(1, 255);
  form->addRow(text("Ошибка модуля на команду"),
               row(box_, {errorCommand_, new QLabel(text("код"), box_), errorCode_}));

  auto* weighing = new QWidget(box_);
  weighing->setLayout(flagGrid(weighing, kWeighingFlags, weighing_));
  form->addRow(text("Состояние взвешивания"), weighing);

  loadProfile_ = named<QComboBox>(box_, "cbLoadProfile");
  for (const char* p : kProfiles) loadProfile_->addItem(text(p));
  loadWeights_ = named<QLineEdit>(box_, "edtLoadWeights");
  loadWeights_->setPlaceholderText(text("0; 1,5; 3"));
  loadLength_ = named<QSpinBox>(box_, "sbLoadLength");
  loadLength_->setRange(1, 1000000);
  form->addRow(text("Нагрузка"), row(box_, {loadProfile_, new QLabel(text("веса, кг"), box_), loadWeights_}));
  form->addRow(text("Измерений на ступень"), loadLength_);

  auto* supply = new QWidget(box_);
  supply->setLayout(flagGrid(supply, kSupplyFlags, supply_));
  form->addRow(text("Питание"), supply);

  exceptionMember_ = named<QComboBox>(box_, "cbExceptionMember");
  exceptionMember_->addItem(text("нет"));
  for (size_t id = 1; id <= memberCount(); ++id) {
    const Member* m = memberById(static_cast<int32_t>(id));
    if (m == nullptr || m->name == "ShowProperties") continue;
    exceptionMember_->addItem(QString::fromLatin1(m->name.data(), static_cast<int>(m->name.size())));
  }
  exceptionText_ = named<QLineEdit>(box_, "edtExceptionText");
  form->addRow(text("Исключение в члене"), exceptionMember_);
  form->addRow(text("Текст исключения"), exceptionText_);
}

void FaultsSection::show(const FaultPlan& plan) {
  unplugged_->setChecked(!plan.unplugged.empty());
  const Window unplug = plan.unplugged.empty() ? Window{} : plan.unplugged.front();
  unplugFrom_->setValue(static_cast<int>(std::min<int64_t>(unplug.from, kMaxExchange)));
  unplugCount_->setValue(
      unplug.to == 0 ? 0 : static_cast<int>(std::min<int64_t>(unplug.to - unplug.from + 1, kMaxExchange)));

  slowMs_->setValue(plan.slow.empty() ? 0 : plan.slow.front().delayMs);
  lossPercent_->setValue(plan.flaky.empty() ? 0 : plan.flaky.front().lossPercent);
  badCheckPercent_->setValue(plan.flaky.empty() ? 0 : plan.flaky.front().badCheckPercent);

  int command = 0;
  if (!plan.moduleErrors.empty()) {
    const int code = plan.moduleErrors.front().command;
    command = errorCommand_->findData(code);
    // A code no method sends, from a scenario, still has to survive the dialog.
    if (command < 0) {
      errorCommand_->addItem(QString::fromStdString(commandName(static_cast<uint8_t>(code))), code);
      command = errorCommand_->count() - 1;
    }
  }
  errorCommand_->setCurrentIndex(command);
  errorCode_->setValue(plan.moduleErrors.empty() ? 5 : plan.moduleErrors.front().code);

  const int32_t weighingBits = plan.weighing.empty() ? 0 : plan.weighing.front().bits;
  for (int i = 0; i < 4; ++i) weighing_[i]->setChecked((weighingBits & kWeighingFlags[i].bit) != 0);

  loadProfile_->setCurrentIndex(static_cast<int>(plan.load.kind));
  loadWeights_->setText(
      QString::fromStdString(weightsText(plan.load.weights)).replace(QLatin1Char('.'), QLatin1Char(',')));
  loadLength_->setValue(plan.load.length);

  const int32_t supplyFlags = plan.supply.empty() ? 0 : plan.supply.front().flags;
  for (int i = 0; i < 4; ++i) supply_[i]->setChecked((supplyFlags & kSupplyFlags[i].bit) != 0);

  const int member =
      plan.driverErrors.empty()
          ? 0
          : exceptionMember_->findText(QString::fromStdString(plan.driverErrors.front().member));
  exceptionMember_->setCurrentIndex(std::max(member, 0));
  exceptionText_->setText(plan.driverErrors.empty() ? text(kDefaultErrorText)
                                                    : QString::fromStdString(plan.driverErrors.front().text));
}

std::optional<FaultPlan> FaultsSection::plan(QString& problem) const {
  FaultPlan plan = original_;

  std::optional<Window> unplug;
  if (unplugged_->isChecked()) {
    const int64_t from = unplugFrom_->value();
    unplug = Window{from, unplugCount_->value() == 0 ? 0 : from + unplugCount_->value() - 1};
  }
  replaceFirst(plan.unplugged, unplug);

  std::optional<FaultPlan::Slow> slow;
  if (slowMs_->value() > 0) slow = FaultPlan::Slow{firstWindow(original_.slow), slowMs_->value()};
  replaceFirst(plan.slow, slow);

  std::optional<FaultPlan::Flaky> flaky;
  if (lossPercent_->value() > 0 || badCheckPercent_->value() > 0) {
    flaky = FaultPlan::Flaky{firstWindow(original_.flaky), lossPercent_->value(), badCheckPercent_->value()};
  }
  replaceFirst(plan.flaky, flaky);

  std::optional<FaultPlan::ModuleError> error;
  if (const int command = errorCommand_->currentData().toInt(); command >= 0) {
    error = FaultPlan::ModuleError{firstWindow(original_.moduleErrors), static_cast<uint8_t>(command),
                                   errorCode_->value()};
  }
  replaceFirst(plan.moduleErrors, error);

  std::optional<FaultPlan::Weighing> weighing;
  if (const int32_t bits = checked(weighing_, kWeighingFlags))
    weighing = FaultPlan::Weighing{firstWindow(original_.weighing), bits};
  replaceFirst(plan.weighing, weighing);

  std::optional<FaultPlan::Supply> supply;
  if (int32_t flags = checked(supply_, kSupplyFlags)) {
    if (flags & supply_flags::kDischarged90) flags |= supply_flags::kDischarged70;
    supply = FaultPlan::Supply{firstWindow(original_.supply), flags};
  }
  replaceFirst(plan.supply, supply);

  std::optional<FaultPlan::DriverError> driverError;
  if (exceptionMember_->currentIndex() > 0) {
    const std::string message = exceptionText_->text().trimmed().toStdString();
    if (message.empty()) {
      problem = text("Укажите текст исключения.");
      return std::nullopt;
    }
    driverError = FaultPlan::DriverError{firstWindow(original_.driverErrors),
                                         exceptionMember_->currentText().toStdString(), message};
  }
  replaceFirst(plan.driverErrors, driverError);

  LoadProfile load;
  load.kind = static_cast<LoadProfile::Kind>(loadProfile_->currentIndex());
  load.length = loadLength_->value();
  if (load.kind != LoadProfile::Kind::Scene && load.kind != LoadProfile::Kind::None) {
    const auto weights = parseWeights(loadWeights_->text().toStdString());
    const size_t needed = load.kind == LoadProfile::Kind::Ramp ? 2 : 1;
    if (!weights || weights->size() < needed) {
      problem = load.kind == LoadProfile::Kind::Ramp
                    ? text("Для линейного роста укажите хотя бы два веса через «;», от -1000 до 1000 кг.")
                    : text("Укажите веса в кг через «;», от -1000 до 1000 кг.");
      return std::nullopt;
    }
    load.weights = *weights;
    if (load.kind == LoadProfile::Kind::Fixed) load.weights.resize(1);
  }
  plan.load = load;
  return plan;
}

}  // namespace lk40::sim
