// The "Неисправности" section of the driver's settings dialog: the first
// entry of each kind of fault in the plan, as the operator edits it.
#pragma once

#include <QString>
#include <optional>

#include "sim_faults.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;
class QWidget;

namespace lk40::sim {

class FaultsSection {
 public:
  FaultsSection(QWidget* parent, const FaultPlan& plan);

  QGroupBox* box() const { return box_; }
  // The plan as the fields show it: the first entry of each kind replaced or
  // dropped, the further entries a scenario brought kept as they were. When a
  // field holds no valid value, nullopt and the reason in problem.
  std::optional<FaultPlan> plan(QString& problem) const;

 private:
  void build(QWidget* parent);
  void show(const FaultPlan& plan);

  FaultPlan original_;
  QGroupBox* box_ = nullptr;
  QCheckBox* unplugged_ = nullptr;
  QSpinBox* unplugFrom_ = nullptr;
  QSpinBox* unplugCount_ = nullptr;
  QSpinBox* slowMs_ = nullptr;
  QDoubleSpinBox* lossPercent_ = nullptr;
  QDoubleSpinBox* badCheckPercent_ = nullptr;
  QComboBox* errorCommand_ = nullptr;
  QSpinBox* errorCode_ = nullptr;
  QCheckBox* weighing_[4] = {};
  QComboBox* loadProfile_ = nullptr;
  QLineEdit* loadWeights_ = nullptr;
  QSpinBox* loadLength_ = nullptr;
  QCheckBox* supply_[4] = {};
  QComboBox* exceptionMember_ = nullptr;
  QLineEdit* exceptionText_ = nullptr;
};

}  // namespace lk40::sim
