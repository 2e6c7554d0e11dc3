// The registry library over the port's registry primitives. The program names
// key levels with '|'; the port takes '\'.
#include "services/zvcfg/zvcfg.h"

#include <cstring>
#include <string>
#include <vector>

#include "platform/port.h"

namespace {

std::string Join(const std::string& parent, const std::string& name) {
  return parent.empty() ? name : parent + '\\' + name;
}

std::string PortPath(const char* keyPath) {
  std::string path = keyPath ? keyPath : "";
  for (char& c : path) {
    if (c == '|') c = '\\';
  }
  return path;
}

const char* ValueName(const char* name) { return name ? name : ""; }

// An open key that closes itself.
class OpenKey {
 public:
  OpenKey(std::uint32_t root, const std::string& path, bool create) {
    const long result = create ? port::RegCreate(root, path.c_str(), key_)
                               : port::RegOpen(root, path.c_str(), key_);
    if (result != port::RegOk) key_ = 0;
  }
  ~OpenKey() {
    if (key_) port::RegClose(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  explicit operator bool() const { return key_ != 0; }
  port::RegKey get() const { return key_; }

 private:
  port::RegKey key_ = 0;
};

int StoreString(std::uint32_t root, const char* keyPath, const char* name, const char* text,
                std::uint32_t length) {
  OpenKey key(root, PortPath(keyPath), true);
  if (!key) return 0;
  return port::RegSetString(key.get(), ValueName(name), text, length) == port::RegOk ? 1 : 0;
}

// The names of a key's direct subkeys.
std::vector<std::string> SubKeyNames(std::uint32_t root, const std::string& path) {
  std::vector<std::string> names;
  OpenKey key(root, path, false);
  if (!key) return names;
  char name[260];
  for (std::uint32_t index = 0;
       port::RegEnumSubKey(key.get(), index, name, sizeof name) == port::RegOk; ++index) {
    names.emplace_back(name);
  }
  return names;
}

// The port removes only keys without subkeys, so the tree goes depth first.
bool RemoveKeyTree(std::uint32_t root, const std::string& parent, const std::string& name) {
  const std::string path = Join(parent, name);
  for (const std::string& child : SubKeyNames(root, path)) RemoveKeyTree(root, path, child);
  OpenKey key(root, parent, false);
  return key && port::RegRemoveKey(key.get(), name.c_str()) == port::RegOk;
}

}  // namespace

int GetRegValue(std::uint32_t root, const char* keyPath, const char* valueName, char* buffer,
                int size) {
  if (!buffer || size <= 0) return 0;
  OpenKey key(root, PortPath(keyPath), false);
  if (!key) return 0;
  // Read the value whole, then copy what the caller's buffer holds.
  std::vector<char> data(260);
  std::uint32_t needed = static_cast<std::uint32_t>(data.size());
  long result = port::RegQueryString(key.get(), ValueName(valueName), data.data(), needed);
  if (result == port::RegMoreData) {
    data.assign(needed, '\0');
    result = port::RegQueryString(key.get(), ValueName(valueName), data.data(), needed);
  }
  if (result != port::RegOk) return 0;
  std::size_t length = strnlen(data.data(), data.size());
  if (length > static_cast<std::size_t>(size - 1)) length = size - 1;
  std::memcpy(buffer, data.data(), length);
  buffer[length] = '\0';
  return 1;
}

int SetRegValue(std::uint32_t root, const char* keyPath, const char* valueName,
                const char* text, int length) {
  if (!text || length < 0) return 0;
  const std::size_t stored = static_cast<std::size_t>(length);
  std::vector<char> data(stored + 1, '\0');
  std::memcpy(data.data(), text, strnlen(text, stored));
  return StoreString(root, keyPath, valueName, data.data(), static_cast<std::uint32_t>(stored));
}

int AddRegistryValue(std::uint32_t root, const char* keyPath, const char* valueName,
                     const char* text) {
  if (!text) text = "";
  return StoreString(root, keyPath, valueName, text,
                     static_cast<std::uint32_t>(std::strlen(text)));
}

int AddRegistryKeyWithDefVal(std::uint32_t root, const char* keyPath, const char* text) {
  return AddRegistryValue(root, keyPath, "", text);
}

int IsRegistryKeyPresent(std::uint32_t root, const char* keyPath) {
  OpenKey key(root, PortPath(keyPath), false);
  return key ? 1 : 0;
}

int IsRegistryValuePresent(std::uint32_t root, const char* keyPath, const char* valueName) {
  OpenKey key(root, PortPath(keyPath), false);
  if (!key) return 0;
  char probe[1];
  std::uint32_t size = sizeof probe;
  const long result = port::RegQueryString(key.get(), ValueName(valueName), probe, size);
  return result == port::RegOk || result == port::RegMoreData ? 1 : 0;
}

int DeleteRegistryKey(std::uint32_t root, const char* keyPath, const char* subkey) {
  if (!subkey || !*subkey) return 0;
  // The subkey may name several levels; the last one is removed from its parent.
  std::string path = PortPath(keyPath);
  std::string name = PortPath(subkey);
  const std::size_t slash = name.rfind('\\');
  if (slash != std::string::npos) {
    path = Join(path, name.substr(0, slash));
    name.erase(0, slash + 1);
  }
  if (name.empty() || !IsRegistryKeyPresent(root, Join(path, name).c_str())) return 0;
  return RemoveKeyTree(root, path, name) ? 1 : 0;
}

int DeleteRegistryValue(std::uint32_t root, const char* keyPath, const char* valueName) {
  OpenKey key(root, PortPath(keyPath), false);
  if (!key) return 0;
  return port::RegRemoveValue(key.get(), ValueName(valueName)) == port::RegOk ? 1 : 0;
}
