// The process and the system: module name, paths, environment, version,
// computer name, sleeping and restarting Windows.
#include <vector>

#include "platform/record.h"
#include "platform/win32/handles.h"

namespace {

// On Windows NT a process must hold the shutdown privilege to restart.
void EnableShutdownPrivilege() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
    return;
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
  CloseHandle(token);
}

}  // namespace

namespace port {

unsigned ModuleFileName(char* buffer, unsigned size) {
  return GetModuleFileNameA(nullptr, buffer, size);
}

// The system allows the short form to be written over the long one in place.
unsigned ShortPathName(const char* path, char* buffer, unsigned size) {
  DWORD length = GetShortPathNameA(path, buffer, size);
  return length < size ? length : 0;
}

unsigned WindowsDirectory(char* buffer, unsigned size) {
  return GetWindowsDirectoryA(buffer, size);
}

// A value longer than the buffer is cut to fit, never left half-written.
unsigned EnvironmentVariable(const char* name, char* buffer, unsigned size) {
  if (size == 0) return 0;
  DWORD needed = GetEnvironmentVariableA(name, nullptr, 0);
  if (needed == 0) return 0;
  std::vector<char> value(needed, '\0');
  DWORD length = GetEnvironmentVariableA(name, value.data(), needed);
  if (length == 0 || length >= needed) return 0;
  if (length >= size) length = size - 1;
  for (DWORD i = 0; i < length; ++i) buffer[i] = value[i];
  buffer[length] = '\0';
  return length;
}

void SleepFor(unsigned milliseconds) {
  record::Slept(milliseconds);
  Sleep(milliseconds);
}

unsigned SetErrorModeTo(unsigned mode) { return SetErrorMode(mode); }

std::uint32_t LogicalDrives() { return GetLogicalDrives(); }

unsigned CurrentDirectory(char* buffer, unsigned size) {
  const DWORD length = GetCurrentDirectoryA(size, buffer);
  return length < size ? length : 0;
}

// "X:" alone names the directory last current on drive X.
bool ChangeDrive(int drive) {
  if (drive < 1 || drive > 26) return false;
  const char path[3] = {static_cast<char>('A' + drive - 1), ':', '\0'};
  return SetCurrentDirectoryA(path) != FALSE;
}

bool ChangeDirectory(const char* path) { return SetCurrentDirectoryA(path) != FALSE; }

Date Today() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay};
}

int SystemKind() { return (GetVersion() & 0x80000000u) != 0 ? 1 : 2; }

unsigned ComputerName(char* buffer, unsigned size) {
  DWORD length = size;
  return GetComputerNameA(buffer, &length) ? length : 0;
}

void RestartSystem() {
  record::SystemRestarts();
  if (SystemKind() == 2) EnableShutdownPrivilege();
  ExitWindowsEx(EWX_REBOOT, 0);
  ExitProcess(0);
}

}  // namespace port
