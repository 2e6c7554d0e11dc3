// Programs started by command line, and libraries loaded at run time.
#include <string>

#include "platform/win32/handles.h"

namespace port {

// The system may write into the command line it is given, so it gets a copy.
// A wait blocks this thread without pumping messages.
bool StartProgram(const char* commandLine, int showCommand, bool wait) {
  std::string line(commandLine);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCommand);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return false;
  if (wait) WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

Library LoadRuntimeLibrary(const char* fileName) {
  return reinterpret_cast<Library>(LoadLibraryA(fileName));
}

void* LibraryExport(Library library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(library), name));
}

}  // namespace port
