// Profile (INI) strings of a named file.
#include <string>

#include "platform/record.h"
#include "platform/win32/handles.h"

namespace {

// A profile file named without a folder lives in the Windows directory.
std::string ProfilePath(const char* file) {
  std::string path = file;
  if (path.find_first_of("\\:") == std::string::npos) {
    char folder[MAX_PATH] = "";
    GetWindowsDirectoryA(folder, sizeof folder);
    path = std::string(folder) + "\\" + path;
  }
  return win32::LongPath(path.c_str());
}

}  // namespace

namespace port {

// A lookup is told apart from its fallback by a second read with another one.
unsigned ReadProfileString(const char* file, const char* section, const char* key,
                           const char* fallback, char* buffer, unsigned size) {
  const unsigned length = GetPrivateProfileStringA(section, key, fallback, buffer, size, file);
  if (record::Verbose() && section && key && size > 0) {
    char probe[4] = "";
    GetPrivateProfileStringA(section, key, "\x01", probe, sizeof probe, file);
    record::ProfileRead(file, section, key, buffer, probe[0] != '\x01');
  }
  return length;
}

bool WriteProfileString(const char* file, const char* section, const char* key,
                        const char* value) {
  if (!WritePrivateProfileStringA(section, key, value, file)) return false;
  if (section && key) record::ProfileWritten(ProfilePath(file), section, key, value);
  return true;
}

}  // namespace port
