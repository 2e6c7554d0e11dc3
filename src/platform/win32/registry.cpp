// Registry primitives over the predefined roots.
#include <vector>

#include "platform/win32/handles.h"

using win32::ToKey;
using win32::ToRoot;

namespace port {

// Keys are opened with whatever access the caller is allowed, as the
// product reads and writes through the same handle.
long RegOpen(std::uint32_t root, const char* path, RegKey& key) {
  HKEY opened = nullptr;
  LONG result = RegOpenKeyExA(ToRoot(root), path, 0, MAXIMUM_ALLOWED, &opened);
  if (result == ERROR_SUCCESS) key = reinterpret_cast<RegKey>(opened);
  return result;
}

long RegCreate(std::uint32_t root, const char* path, RegKey& key) {
  HKEY created = nullptr;
  LONG result = RegCreateKeyExA(ToRoot(root), path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                MAXIMUM_ALLOWED, nullptr, &created, nullptr);
  if (result == ERROR_SUCCESS) key = reinterpret_cast<RegKey>(created);
  return result;
}

void RegClose(RegKey key) { RegCloseKey(ToKey(key)); }

// The value is read whole into scratch space first: the system may scribble
// on a buffer that is too small, and the caller's buffer must stay as it was
// unless the value fits. A value stored without its terminator gets one.
long RegQueryString(RegKey key, const char* name, char* buffer, std::uint32_t& size) {
  DWORD needed = 0;
  LONG result = RegQueryValueExA(ToKey(key), name, nullptr, nullptr, nullptr, &needed);
  if (result != ERROR_SUCCESS) return result;
  std::vector<char> value(needed + 1, '\0');
  DWORD got = needed;
  result = RegQueryValueExA(ToKey(key), name, nullptr, nullptr,
                            reinterpret_cast<BYTE*>(value.data()), &got);
  if (result != ERROR_SUCCESS) return result;
  std::uint32_t length = got;
  if (length == 0 || value[length - 1] != '\0') ++length;
  if (length > size) {
    size = length;
    return RegMoreData;
  }
  for (std::uint32_t i = 0; i < length; ++i) buffer[i] = value[i];
  size = length;
  return RegOk;
}

long RegSetString(RegKey key, const char* name, const char* data, std::uint32_t length) {
  return RegSetValueExA(ToKey(key), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                        length);
}

long RegRemoveValue(RegKey key, const char* name) { return RegDeleteValueA(ToKey(key), name); }

long RegRemoveKey(RegKey key, const char* subkey) { return RegDeleteKeyA(ToKey(key), subkey); }

long RegEnumSubKey(RegKey key, std::uint32_t index, char* buffer, std::uint32_t size) {
  DWORD length = size;
  return RegEnumKeyExA(ToKey(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace port
