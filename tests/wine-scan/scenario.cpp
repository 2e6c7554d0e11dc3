#include "scenario.h"

#include "frame/registry_layout.h"
#include "frame/setup_state.h"
#include "scan/scan_dialog.h"
#include "services/zvcfg/zvcfg.h"
#include "services/zvutil/zvutil.h"

std::string RunScanOnce() {
  const port::Instance instance = ModuleInstance;
  ResetSetupState();
  ModuleInstance = instance;
  port::RunModalDialog(ModuleInstance, kScanDialogTemplate, 0, PreInstallScanDialog, 0);
  char value[16] = "(absent)";
  GetRegValue(port::HkeyCurrentUser, kUserVendorKey, kVirusFoundValue, value, sizeof value);
  return "GetOS: " + std::to_string(GetOS()) + "\n" + kVirusFoundValue + ": " + value;
}
