#include "preinstall/handover.h"

#include "frame/registry_layout.h"
#include "frame/setup_state.h"
#include "platform/port.h"
#include "services/zvcfg/zvcfg.h"

namespace {

constexpr int kFlagSize = 5;

int IsFlagSet(const char* valueName) {
  char key[kVersionKeySize];
  FormProductVersionKey(key, sizeof key);
  char flag[kFlagSize] = "";
  GetRegValue(port::HkeyLocalMachine, key, valueName, flag, sizeof flag);
  return flag[0] == '1' ? 1 : 0;
}

}  // namespace

void FormProductVersionKey(char* key, unsigned size) { FormVersionKey(key, size, ProductVersion); }

int IsCalledFromInstall() { return IsFlagSet(kCalledFromInstallValue); }

int IsCalledFromUninst() { return IsFlagSet(kCalledFromUninstValue); }

void SetCalledFromInstall() {
  char key[kVersionKeySize];
  FormProductVersionKey(key, sizeof key);
  SetRegValue(port::HkeyLocalMachine, key, kCalledFromInstallValue, "1", 1);
}

void ClearCalledFromInstall() {
  char key[kVersionKeySize];
  FormProductVersionKey(key, sizeof key);
  DeleteRegistryValue(port::HkeyLocalMachine, key, kCalledFromInstallValue);
}
