#include "postinstall/boot_files.h"

#include "frame/paths.h"
#include "frame/setup_state.h"
#include "platform/port.h"
#include "postinstall/text_swap.h"
#include "services/zvutil/zvutil.h"

namespace {

const char* const kAutoexec = "C:\\AUTOEXEC.BAT";
const char* const kAutoexecScratch = "C:\\AUTOEXEC.ZV";
const char* const kAutoexecParking = "C:\\AUTOEXEC.TMP";
const char* const kStartupProgram = "ZVSTRUP.EXE";

void NameIn(char* path, const char* directory, const char* name) {
  CopyText(path, kPathSize, directory);
  AppendBackslash(path, kPathSize);
  AppendName(path, kPathSize, name);
}

}  // namespace

void CleanWininit(const char* installDir, const char* windowsDir) {
  // An empty Windows directory would point into the root of the current
  // drive; an empty install directory would match every line.
  if (!windowsDir || !*windowsDir || !installDir || !*installDir) return;
  char wininit[kPathSize], scratch[kPathSize], parking[kPathSize];
  NameIn(wininit, windowsDir, "WININIT.INI");
  NameIn(scratch, windowsDir, "WININIT.TMP");
  NameIn(parking, windowsDir, "WININIT.ZV");
  port::RemoveFile(parking);
  port::RemoveFile(scratch);

  char drops[kPathSize];
  CopyText(drops, sizeof drops, installDir);
  LowerCase(drops);
  RewriteTextFile({wininit, scratch, parking, nullptr, drops});
  // Neither scratch name stays, and the old text is not kept; but only
  // while WININIT.INI is there, else they hold its text.
  if (FileExists(wininit)) {
    port::RemoveFile(parking);
    port::RemoveFile(scratch);
  }
}

void UpdateAutoexec() {
  char startup[kPathSize];
  CopyText(startup, sizeof startup, InstallDir);
  AppendName(startup, sizeof startup, kStartupProgram);
  ShortenInPlace(startup, sizeof startup);
  port::RemoveFile(kAutoexecScratch);
  port::RemoveFile(kAutoexecParking);
  RewriteTextFile({kAutoexec, kAutoexecScratch, kAutoexecParking, startup, "zvstrup"});
}

int InitStartupProgram() {
  char program[kPathSize];
  CopyText(program, sizeof program, InstallDir);
  AppendName(program, sizeof program, kStartupProgram);
  return ExecFile(program, "/INIT /REBUILD", port::sw::Hide, 1, 1);
}

void RemoveCheckInfoFile(const char* directory) {
  char path[kPathSize];
  CopyText(path, sizeof path, directory);
  AppendName(path, sizeof path, "ZVCHK.INF");
  DeleteFileForced(path);
}
