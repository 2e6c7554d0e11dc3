#include "preinstall/install_location.h"

#include <cstdlib>

#include "frame/paths.h"
#include "frame/records.h"
#include "frame/registry_layout.h"
#include "frame/setup_state.h"
#include "platform/port.h"
#include "services/zvcfg/zvcfg.h"

namespace {

// The other system's version is read with room for 5 characters.
constexpr int kOtherVersionSize = 6;

void ReadOtherSystemDir(char* dir) {
  port::ReadProfileString(kPathRecordFile, kPathSection, OtherSystemName(), "", dir, kPathSize);
}

}  // namespace

int IsUninstallEntryPresent() { return IsRegistryKeyPresent(port::HkeyLocalMachine, kUninstallKey); }

int IsInstalledOnOtherSystem() {
  char dir[kPathSize] = "";
  ReadOtherSystemDir(dir);
  return dir[0] ? 1 : 0;
}

double GetOtherSystemVersion() {
  char infoRecord[kPathSize] = "";
  ReadOtherSystemDir(infoRecord);
  AppendBackslash(infoRecord, sizeof infoRecord);
  AppendName(infoRecord, sizeof infoRecord, kInfoRecordName);
  char version[kOtherVersionSize] = "";
  port::ReadProfileString(infoRecord, kInfoSection, kInfoVersion, "", version, sizeof version);
  return std::atof(version);
}
