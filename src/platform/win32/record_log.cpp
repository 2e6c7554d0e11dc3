// The Windows build's log: when the environment variable ZVSET_LOG names a
// file, every line of the record is appended to it, and ZVSET_LOG_VERBOSE
// adds the lookups. Every module of the process (the program and the
// product's libraries, each with its own copy of the port) reads the same
// variables, so their lines meet in the one file, in order. The log is the
// administrator's: a file that cannot be opened or written is passed over,
// and the run goes on as it would without it.
#include "platform/record.h"
#include "platform/win32/handles.h"

void record::Emit(const std::string& line) {
  const DWORD lastError = GetLastError();
  char path[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA("ZVSET_LOG", path, sizeof path);
  if (length > 0 && length < sizeof path) {
    HANDLE log = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log != INVALID_HANDLE_VALUE) {
      const std::string text = line + "\r\n";
      DWORD written = 0;
      if (SetFilePointer(log, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER)
        WriteFile(log, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
      CloseHandle(log);
    }
  }
  SetLastError(lastError);
}

bool record::Verbose() {
  char value[8] = "";
  const DWORD length = GetEnvironmentVariableA("ZVSET_LOG_VERBOSE", value, sizeof value);
  return length > 0 && !(length == 1 && value[0] == '0');
}
