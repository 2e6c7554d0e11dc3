// Programs started by command line, and libraries loaded at run time.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/command_line.h"
#include "platform/record.h"
#include "platform/win32/handles.h"

namespace port {

namespace {

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The process last started without waiting, kept so that a wait on it can
// tell when it has ended, even when its windows stay on the screen. The
// product's libraries carry their own copy of the port, and the program
// starts other programs through one of them (ExecFile), so the handle is
// kept where every module of the process sees the same: in the process's
// environment, by its value.
constexpr const char* kLastStarted = "ZVSET_LAST_STARTED";

HANDLE LastStarted() {
  char text[32] = "";
  if (GetEnvironmentVariableA(kLastStarted, text, sizeof text) == 0) return nullptr;
  return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(std::strtoull(text, nullptr, 16)));
}

void SetLastStarted(HANDLE process) {
  char text[32];
  std::snprintf(text, sizeof text, "%llx",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(process)));
  SetEnvironmentVariableA(kLastStarted, text);
}
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
                      &startup, &process)) {
    record::ProgramNotStarted(commandLine);
    return false;
  }
  CloseHandle(process.hThread);
  std::string program, arguments;
  SplitCommandLine(commandLine, program, arguments, IsFile);
  record::ProgramStarted(win32::LongPath(program.c_str()), arguments, showCommand, wait);
  if (wait) {
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
  } else {
    if (HANDLE previous = LastStarted()) CloseHandle(previous);
    SetLastStarted(process.hProcess);
  }
  return true;
}

bool StartedProgramRunning() {
  HANDLE process = LastStarted();
  return process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

Library LoadRuntimeLibrary(const char* fileName) {
  HMODULE library = LoadLibraryA(fileName);
  char path[MAX_PATH] = "";
  if (!library) record::LibraryNotLoaded(fileName);
  else if (GetModuleFileNameA(library, path, sizeof path) > 0)
    record::LibraryLoaded(win32::LongPath(path));
  return reinterpret_cast<Library>(library);
}

void* LibraryExport(Library library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(library), name));
}

}  // namespace port
