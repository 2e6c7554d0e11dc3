#include "preinstall/edition.h"

#include "frame/registry_layout.h"
#include "frame/setup_state.h"
#include "services/zvcfg/zvcfg.h"

namespace {
constexpr int kOemDetailsTemplate = 142;
}

void RecordEdition(const char* editionType, int expressFlag, int oemFlag, int complimentaryFlag,
                   const char* complimentaryName) {
  if (expressFlag) AddRegistryValue(port::HkeyCurrentUser, kVendorKey, kExpressVersionValue, "1");
  else DeleteRegistryValue(port::HkeyCurrentUser, kVendorKey, kExpressVersionValue);

  if (oemFlag) {
    port::RunModalDialog(ModuleInstance, kOemDetailsTemplate, 0, OemDetailsDialog, 0);
    AddRegistryValue(port::HkeyCurrentUser, kOemCopyKey, kOemCopyValue, "1");
  } else {
    DeleteRegistryKey(port::HkeyCurrentUser, kVendorKey, kOemCopySubkey);
  }

  if (complimentaryFlag) {
    AddRegistryValue(port::HkeyCurrentUser, kComplimentaryKey, kComplimentaryNameValue,
                     complimentaryName);
    port::WriteProfileString(InfoIniPath, kComplimentarySection, kComplimentaryName,
                             complimentaryName);
  } else {
    DeleteRegistryKey(port::HkeyCurrentUser, kUserVendorKey, kComplimentarySubkey);
  }

  AddRegistryValue(port::HkeyCurrentUser, kUserVendorKey, kTypeValue, editionType);
  port::WriteProfileString(InfoIniPath, kInfoSection, kInfoType, editionType);
}
