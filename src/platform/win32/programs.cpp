// Programs started by command line, and libraries loaded at run time.
#include <string>

#include "platform/win32/handles.h"

namespace port {

namespace {
// The process last started without waiting, kept so that a wait on it can
// tell when it has ended, even when its windows stay on the screen.
HANDLE lastStarted = nullptr;
}  // namespace

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
  CloseHandle(process.hThread);
  if (wait) {
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
  } else {
    if (lastStarted) CloseHandle(lastStarted);
    lastStarted = process.hProcess;
  }
  return true;
}

bool StartedProgramRunning() {
  return lastStarted && WaitForSingleObject(lastStarted, 0) == WAIT_TIMEOUT;
}

Library LoadRuntimeLibrary(const char* fileName) {
  return reinterpret_cast<Library>(LoadLibraryA(fileName));
}

void* LibraryExport(Library library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(library), name));
}

}  // namespace port
