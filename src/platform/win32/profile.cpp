// Profile (INI) strings of a named file.
#include "platform/win32/handles.h"

namespace port {

unsigned ReadProfileString(const char* file, const char* section, const char* key,
                           const char* fallback, char* buffer, unsigned size) {
  return GetPrivateProfileStringA(section, key, fallback, buffer, size, file);
}

bool WriteProfileString(const char* file, const char* section, const char* key,
                        const char* value) {
  return WritePrivateProfileStringA(section, key, value, file) != FALSE;
}

}  // namespace port
