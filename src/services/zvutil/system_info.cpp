// System identification and the records that describe the installation.
#include <cstdio>

#include "platform/port.h"
#include "services/zvcfg/zvcfg.h"
#include "services/zvutil/product_records.h"
#include "services/zvutil/zvutil.h"

using namespace zvutil;

namespace {

const char* SystemName(int os) { return os == 1 ? kWindows95 : kWindowsNt; }

}  // namespace

int GetOS(void) { return port::SystemKind() == 1 ? 1 : 2; }

int GetZVVersionsInstalled(void) {
  const int thisOs = GetOS();
  const int otherOs = thisOs == 1 ? 2 : 1;
  int installed = 0;
  if (IsRegistryKeyPresent(port::HkeyLocalMachine, kUninstallKey)) installed |= thisOs;
  char windowsDir[260] = "";
  port::ReadProfileString(kPathRecordFile, kPathSection, SystemName(otherOs), "", windowsDir,
                          sizeof windowsDir);
  if (windowsDir[0]) installed |= otherOs;
  return installed;
}

// ZV32.CNF, section "OS": one entry per system that uses the installation,
// named as in the path record ("Windows 95", "Windows NT") and holding that
// system's Windows directory (empty once taken out), and "Current", the
// number (1 or 2) of the system that recorded itself last.
int UpdateOSInfo(const char* cnfPath, int installed) {
  if (!cnfPath || !*cnfPath) return 0;
  const int os = GetOS();
  char windowsDir[260] = "";
  if (installed) port::WindowsDirectory(windowsDir, sizeof windowsDir);
  port::WriteProfileString(cnfPath, "OS", SystemName(os), windowsDir);
  port::WriteProfileString(cnfPath, "OS", "Current", os == 1 ? "1" : "2");
  return 1;
}

// Vendor key "UpgradeWarnDate" and "OldVersionWarnDate", as YYYYMMDD.
int SaveUpgradeAndOldVersionWarnDate(void) {
  const port::Date today = port::Today();
  char date[16];
  std::snprintf(date, sizeof date, "%04d%02d%02d", today.year % 10000, today.month % 100,
                today.day % 100);
  AddRegistryValue(port::HkeyLocalMachine, kVendorKey, "UpgradeWarnDate", date);
  AddRegistryValue(port::HkeyLocalMachine, kVendorKey, "OldVersionWarnDate", date);
  return 1;
}

// Vendor key "ComputerName".
int SaveComputerName(void) {
  char name[64] = "";
  if (!port::ComputerName(name, sizeof name)) return 0;
  return AddRegistryValue(port::HkeyLocalMachine, kVendorKey, "ComputerName", name);
}
