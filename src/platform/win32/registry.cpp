// Registry primitives over the predefined roots.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/record.h"
#include "platform/win32/handles.h"

using win32::ToKey;
using win32::ToRoot;

namespace {

// The root and path of every key the program holds open, which the record
// names its lines by.
std::map<port::RegKey, std::pair<std::uint32_t, std::string>>& OpenKeys() {
  static std::map<port::RegKey, std::pair<std::uint32_t, std::string>> keys;
  return keys;
}

std::string Trimmed(const char* path) {
  std::string p = path ? path : "";
  while (!p.empty() && p.front() == '\\') p.erase(0, 1);
  while (!p.empty() && p.back() == '\\') p.pop_back();
  return p;
}

std::pair<std::uint32_t, std::string> KeyOf(port::RegKey key) {
  auto it = OpenKeys().find(key);
  return it == OpenKeys().end() ? std::make_pair(std::uint32_t{0}, std::string("?"))
                                : it->second;
}

// The value is read whole into scratch space first: the system may scribble
// on a buffer that is too small, and the caller's buffer must stay as it was
// unless the value fits. A value stored without its terminator gets one.
long QueryString(port::RegKey key, const char* name, char* buffer, std::uint32_t& size) {
  DWORD needed = 0;
  DWORD type = 0;
  LONG result = RegQueryValueExA(ToKey(key), name, nullptr, &type, nullptr, &needed);
  if (result != ERROR_SUCCESS) return result;
  // A number or raw bytes have no terminator to stop a caller that takes
  // them for text: only strings are read.
  if (type != REG_SZ && type != REG_EXPAND_SZ) return port::RegInvalidData;
  std::vector<char> value(needed + 1, '\0');
  DWORD got = needed;
  result = RegQueryValueExA(ToKey(key), name, nullptr, nullptr,
                            reinterpret_cast<BYTE*>(value.data()), &got);
  if (result != ERROR_SUCCESS) return result;
  std::uint32_t length = got;
  if (length == 0 || value[length - 1] != '\0') ++length;
  if (length > size) {
    size = length;
    return port::RegMoreData;
  }
  for (std::uint32_t i = 0; i < length; ++i) buffer[i] = value[i];
  size = length;
  return port::RegOk;
}

}  // namespace

namespace port {

// Keys are opened with whatever access the caller is allowed, as the
// product reads and writes through the same handle.
long RegOpen(std::uint32_t root, const char* path, RegKey& key) {
  HKEY opened = nullptr;
  LONG result = RegOpenKeyExA(ToRoot(root), path, 0, MAXIMUM_ALLOWED, &opened);
  record::KeyLookedUp(root, Trimmed(path), result);
  if (result == ERROR_SUCCESS) {
    key = reinterpret_cast<RegKey>(opened);
    OpenKeys()[key] = {root, Trimmed(path)};
  }
  return result;
}

long RegCreate(std::uint32_t root, const char* path, RegKey& key) {
  HKEY created = nullptr;
  DWORD disposition = 0;
  LONG result = RegCreateKeyExA(ToRoot(root), path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                MAXIMUM_ALLOWED, nullptr, &created, &disposition);
  if (result == ERROR_SUCCESS) {
    key = reinterpret_cast<RegKey>(created);
    OpenKeys()[key] = {root, Trimmed(path)};
    if (disposition == REG_CREATED_NEW_KEY) record::KeyCreated(root, Trimmed(path));
  }
  return result;
}

void RegClose(RegKey key) {
  RegCloseKey(ToKey(key));
  OpenKeys().erase(key);
}

long RegQueryString(RegKey key, const char* name, char* buffer, std::uint32_t& size) {
  const long result = QueryString(key, name, buffer, size);
  if (record::Verbose()) {
    const auto [root, path] = KeyOf(key);
    record::ValueRead(root, path, name, result, result == RegOk ? buffer : nullptr);
  }
  return result;
}

long RegSetString(RegKey key, const char* name, const char* data, std::uint32_t length) {
  const long result = RegSetValueExA(ToKey(key), name, 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(data), length);
  if (result == ERROR_SUCCESS) {
    // The value holds the text up to its terminator or `length` characters.
    std::string text;
    for (std::uint32_t i = 0; i < length && data[i]; ++i) text += data[i];
    const auto [root, path] = KeyOf(key);
    record::ValueSet(root, path, name ? name : "", text);
  }
  return result;
}

long RegRemoveValue(RegKey key, const char* name) {
  const long result = RegDeleteValueA(ToKey(key), name);
  if (result == ERROR_SUCCESS) {
    const auto [root, path] = KeyOf(key);
    record::ValueDeleted(root, path, name ? name : "");
  }
  return result;
}

long RegRemoveKey(RegKey key, const char* subkey) {
  const long result = RegDeleteKeyA(ToKey(key), subkey);
  if (result == ERROR_SUCCESS) {
    const auto [root, path] = KeyOf(key);
    const std::string child = Trimmed(subkey);
    record::KeyDeleted(root, path.empty() ? child : path + "\\" + child);
  }
  return result;
}

long RegEnumSubKey(RegKey key, std::uint32_t index, char* buffer, std::uint32_t size) {
  DWORD length = size;
  return RegEnumKeyExA(ToKey(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace port
