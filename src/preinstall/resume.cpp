#include "preinstall/resume.h"

#include <cstring>

#include "frame/paths.h"
#include "frame/registry_layout.h"
#include "frame/setup_state.h"
#include "platform/port.h"
#include "preinstall/handover.h"
#include "preinstall/messages.h"
#include "preinstall/setup_disk.h"
#include "services/zvcfg/zvcfg.h"

namespace {

constexpr const char* kResumeCommand = "zvset.exe /runonce";
constexpr const char* kSetupProgramLower = "setup.exe";
// "TempCurrentVersion" is read with room for 7 characters.
constexpr int kTempVersionSize = 8;

}  // namespace

void ScheduleResume(const char* sourceDir) {
  char command[kPathSize] = "";
  port::ModuleFileName(command, sizeof command);
  char* lastSlash = std::strrchr(command, '\\');
  if (lastSlash) lastSlash[1] = '\0';
  else command[0] = '\0';
  AppendName(command, sizeof command, kResumeCommand);
  AddRegistryValue(port::HkeyLocalMachine, kRunOnceKey, kRunOnceInstallation, command);

  char key[kVersionKeySize];
  FormProductVersionKey(key, sizeof key);
  SetRegValue(port::HkeyLocalMachine, key, kSetupDrvValue, sourceDir,
              static_cast<int>(std::strlen(sourceDir)));
}

void HandleRunOnce() {
  GetRegValue(port::HkeyCurrentUser, kUserVendorKey, kTempCurrentVersionValue, ProductVersion,
              kTempVersionSize);
  char key[kVersionKeySize];
  FormProductVersionKey(key, sizeof key);
  char setupPath[kPathSize] = "";
  GetRegValue(port::HkeyLocalMachine, key, kSetupDrvValue, setupPath, sizeof setupPath);
  // Without the source directory the front end cannot be found again; the
  // user must start it, and nothing is looked for from an empty path.
  if (!setupPath[0]) {
    ShowSetupMessage(kNoSetupDirText, kNoSetupDirType);
    return;
  }
  AppendBackslash(setupPath, sizeof setupPath);
  AppendName(setupPath, sizeof setupPath, kSetupProgramLower);
  UpperCase(setupPath);
  while (!FileExists(setupPath))
    if ((AskForSetupDisk(setupPath, port::mb::OkCancel) & 0xFFFF) == port::id::Cancel) return;
  port::StartProgram(setupPath, port::sw::Show, false);
}
