// The driver's bitness and the bench's: the twin of the other bitness takes
// the run when the driver's class is registered only for that bitness, and
// otherwise "Драйвер не установлен" says why in its details.
#include "main_window/driver_failure.h"

#include "automation/class_registration.h"
#include "core/driver_failure.h"
#include "main_window/tfrm_main.h"
#include "myconsts.h"
#include "platform/installed_program.h"
#include "platform/process_handover.h"

namespace {

constexpr int kOwnBits = static_cast<int>(sizeof(void*)) * 8;

// What the installer records of both benches (data/windows/lk40-drvtest.nsi):
// their executables under the uninstall key.
constexpr char kUninstallKey[] = "lk40-drvtest";

lk40::core::DriverFailureFacts registryFacts() {
  lk40::core::DriverFailureFacts facts;
  facts.progId = myconsts::kProgId;
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

std::optional<int> runTwinIfDriverIsTheirs(std::string& twinError) {
  const lk40::core::DriverFailureFacts facts = registryFacts();
  if (!lk40::core::handsOver(facts)) return std::nullopt;
  try {
    return lk40::platform::runHandingOver(facts.twin);
  } catch (const std::exception& e) {
    twinError = e.what();
    return std::nullopt;
  }
}

void TfrmMain::driverNotCreated(const std::exception& error) {
  lk40::core::DriverFailureFacts facts = registryFacts();
  const auto* failure = dynamic_cast<const lk40::automation::Error*>(&error);
  facts.failure = failure ? lk40::automation::failureText(*failure) : std::string(error.what());
  facts.twinError = options_.twinError;
  driverFailure_ = QString::fromStdString(lk40::core::driverFailureDetails(facts)).trimmed();
  options_.showDetailedError(this, myconsts::kDriverNotInstalled, myconsts::kCaptionAttention, driverFailure_);
}
