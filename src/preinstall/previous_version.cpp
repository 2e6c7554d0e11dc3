#include "preinstall/previous_version.h"

#include <cstring>

#include "frame/paths.h"
#include "frame/registry_layout.h"
#include "frame/setup_state.h"
#include "platform/port.h"
#include "preinstall/messages.h"
#include "services/zvcfg/zvcfg.h"
#include "services/zvutil/zvutil.h"

namespace {

// The saved uninstall command, lower-cased, for the run.
char UninstPath[kPathSize];

constexpr const char* kUninstaller = "ZVUINST.EXE";
// Both are gone once the previous version has been removed.
constexpr const char* kScannerProgram = "ZV95.EXE";
constexpr const char* kSignatureIndex = "ZV.INX";

}  // namespace

void GetPreviousInstallDir(char* out) {
  // A missing value reads as an empty command, not as an earlier one.
  UninstPath[0] = '\0';
  GetRegValue(port::HkeyLocalMachine, kVendorKey, kUninstPathValue, UninstPath, sizeof UninstPath);
  LowerCase(UninstPath);
  const char* uninst = std::strstr(UninstPath, "uninst.exe");
  if (!uninst) return;
  const char* option = std::strstr(uninst + std::strlen("uninst.exe"), "-f");
  if (!option) return;
  // The file's path begins after "-f" and the one character that follows it
  // (a blank or a quotation mark); a command that ends there names no file.
  if (!option[2]) return;
  char dir[kPathSize];
  CopyText(dir, sizeof dir, option + 3);
  char* lastSlash = std::strrchr(dir, '\\');
  // A file name without a folder gives no directory.
  if (!lastSlash) return;
  lastSlash[1] = '\0';
  CopyText(out, kPathSize, dir);
}

int RunPreviousUninstaller() {
  char dir[kPathSize] = "";
  GetPreviousInstallDir(dir);
  // No directory is known: no program is run and no file is looked for.
  if (!dir[0]) {
    ShowSetupMessage(kNoPreviousDirText, kNoPreviousDirType);
    return 0;
  }
  char path[kPathSize];
  CopyText(path, sizeof path, dir);
  AppendName(path, sizeof path, kUninstaller);
  ExecFile(path, "", port::sw::Show, 1, 0);
  CopyText(path, sizeof path, dir);
  AppendName(path, sizeof path, kScannerProgram);
  if (FileExists(path)) return 0;
  CopyText(path, sizeof path, dir);
  AppendName(path, sizeof path, kSignatureIndex);
  return FileExists(path) ? 0 : 1;
}
