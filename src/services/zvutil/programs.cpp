// Programs, file copies and diskette drives.
#include <string>

#include "platform/port.h"
#include "services/zvutil/zvutil.h"

int ExecFile(const char* program, const char* arguments, int show, int wait, int) {
  if (!program || !*program) return 0;
  std::string commandLine = program;
  if (arguments && *arguments) {
    commandLine += ' ';
    commandLine += arguments;
  }
  return port::StartProgram(commandLine.c_str(), show, wait != 0) ? 1 : 0;
}

int FileCopy(const char* source, const char* target, int replace) {
  if (!source || !target) return 0;
  if (replace) {
    const std::uint32_t attributes = port::FileAttributes(target);
    if (attributes != port::InvalidAttributes && (attributes & port::AttrReadOnly))
      port::SetAttributes(target, attributes & ~port::AttrReadOnly);
  }
  return port::CopyFileTo(source, target, !replace) ? 1 : 0;
}

int MakeDriveReady(int drive) {
  if (drive != 0 && drive != 1) return 0;
  return port::DriveReady(drive) ? 1 : 0;
}
