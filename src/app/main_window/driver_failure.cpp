// Start-up without a driver: the twin of the other bitness takes the run
// when the driver's class is registered only for programs of that bitness;
// otherwise "Драйвер не установлен" says why in its details.
#include "automation/class_registration.h"
#include "core/driver_failure.h"
#include "main_window/tfrm_main.h"
#include "myconsts.h"
#include "platform/installed_program.h"
#include "platform/process_handover.h"

namespace {

constexpr int kOwnBits = static_cast<int>(sizeof(void*)) * 8;

// What the installer records of both benches (scripts/package-windows,
// packaging/windows): their executables under the uninstall key.
constexpr char kUninstallKey[] = "lk40-drvtest";

lk40::core::DriverFailureFacts factsOf(const std::exception& error) {
  lk40::core::DriverFailureFacts facts;
  facts.progId = myconsts::kProgId;
  const auto* failure = dynamic_cast<const lk40::automation::Error*>(&error);
  facts.failure = failure ? lk40::automation::failureText(*failure) : std::string(error.what());
  const lk40::automation::ClassRegistration found = lk40::automation::findClassRegistration(facts.progId);
  facts.clsid = found.clsid;
  facts.registered32 = found.for32Bit;
  facts.registered64 = found.for64Bit;
  facts.ownBits = kOwnBits;
  facts.handedOver = lk40::platform::handedOver();
  facts.twin = lk40::platform::installedProgramValue(kUninstallKey, kOwnBits == 64 ? "Bench32" : "Bench64");
  return facts;
}

}  // namespace

void TfrmMain::driverNotCreated(const std::exception& error) {
  const lk40::core::DriverFailureFacts facts = factsOf(error);
  lk40::core::DriverFailure failure = lk40::core::judgeDriverFailure(facts);
  if (failure.handOver) {
    try {
      twinExitCode_ = lk40::platform::runHandingOver(facts.twin);
      return;
    } catch (const std::exception& e) {
      failure.details += lk40::core::twinNotStarted(kOwnBits == 64 ? 32 : 64, e.what());
    }
  }
  driverFailure_ = QString::fromStdString(failure.details).trimmed();
  options_.showDetailedError(this, myconsts::kDriverNotInstalled, myconsts::kCaptionAttention, driverFailure_);
}
