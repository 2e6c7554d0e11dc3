// Records the edition of a copy the way "/initsetup" does, on the real API:
// the argument text holds the edition type, the express, OEM and
// complimentary flags and the complimentary name, separated by '*'. The
// info record is ZV32.INI in the Windows directory.
#include <windows.h>

#include <cstdlib>

#include "frame/arguments.h"
#include "frame/paths.h"
#include "frame/registry_layout.h"
#include "frame/setup_state.h"
#include "preinstall/edition.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  ResetSetupState();
  ModuleInstance = reinterpret_cast<port::Instance>(instance);
  GetWindowsDirWithSlash(InfoIniPath, sizeof InfoIniPath);
  AppendName(InfoIniPath, sizeof InfoIniPath, kInfoRecordName);
  const char* list = commandLine;
  char type[8] = "", express[8] = "0", oem[8] = "0", complimentary[8] = "0", name[36] = "";
  if (!NextField(list, type, sizeof type) || !NextField(list, express, sizeof express) ||
      !NextField(list, oem, sizeof oem) || !NextField(list, complimentary, sizeof complimentary) ||
      !NextField(list, name, sizeof name))
    return 2;
  RecordEdition(type, std::atoi(express), std::atoi(oem), std::atoi(complimentary), name);
  return 0;
}
