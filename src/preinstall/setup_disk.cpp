#include "preinstall/setup_disk.h"

#include <cctype>
#include <cstdio>

#include "frame/paths.h"
#include "frame/setup_state.h"
#include "preinstall/messages.h"

namespace {
constexpr const char* kSetupProgram = "SETUP.EXE";
}

int AskForSetupDisk(const char* setupPath, unsigned buttons) {
  char text[64];
  std::snprintf(text, sizeof text, kInsertDiskFormat,
                std::toupper(static_cast<unsigned char>(setupPath[0])));
  return ShowSetupMessage(text, buttons | kInsertDiskIcon);
}

void WaitForSetupDisk(const char* sourceDir) {
  // Without a source directory there is no disk to wait for, and a path
  // built from nothing would name the root of the current drive.
  if (!sourceDir[0]) return;
  char setupPath[kPathSize];
  CopyText(setupPath, sizeof setupPath, sourceDir);
  AppendBackslash(setupPath, sizeof setupPath);
  AppendName(setupPath, sizeof setupPath, kSetupProgram);
  while (!FileExists(setupPath)) AskForSetupDisk(setupPath, port::mb::Ok);
}
