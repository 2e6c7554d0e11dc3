// Registry primitives over the booted system's registry.
#include <string>

#include "platform/port.h"
#include "platform/record.h"
#include "platform/sim/state.h"
#include "platform/sim/text.h"

namespace sim {
namespace {

struct OpenKey {
  std::uint32_t root;
  std::string path;
  RegNode* node;
};

bool Lookup(port::RegKey key, OpenKey& out) {
  Machine::State& m = Current();
  auto it = m.keys.find(key);
  if (it == m.keys.end()) return false;
  out.root = it->second.first;
  out.path = it->second.second;
  out.node = m.registry.Find(out.root, out.path);
  return out.node != nullptr;
}

std::string Trimmed(const char* path) {
  std::string p = path ? path : "";
  while (!p.empty() && p.front() == '\\') p.erase(0, 1);
  while (!p.empty() && p.back() == '\\') p.pop_back();
  return p;
}

long Open(std::uint32_t root, const char* path, port::RegKey& key, bool create) {
  Machine::State& m = Current();
  if (!Registry::RootName(root)) return port::RegInvalidHandle;
  const std::string p = Trimmed(path);
  if (!m.registry.Find(root, p)) {
    if (!create) {
      record::KeyLookedUp(root, p, port::RegNotFound);
      return port::RegNotFound;
    }
    if (m.Fails(Fault::Registry)) return port::RegAccessDenied;
    m.registry.Create(root, p);
    record::KeyCreated(root, p);
  } else if (!create) {
    record::KeyLookedUp(root, p, port::RegOk);
  }
  key = m.NewHandle();
  m.keys[key] = {root, p};
  return port::RegOk;
}

}  // namespace
}  // namespace sim

namespace port {
using namespace sim;

long RegOpen(std::uint32_t root, const char* path, RegKey& key) {
  return Open(root, path, key, false);
}

long RegCreate(std::uint32_t root, const char* path, RegKey& key) {
  return Open(root, path, key, true);
}

void RegClose(RegKey key) { Current().keys.erase(key); }

long RegQueryString(RegKey key, const char* name, char* buffer, std::uint32_t& size) {
  OpenKey k;
  if (!Lookup(key, k)) return RegInvalidHandle;
  const RegValue* v = k.node->Value(name ? name : "");
  const long result = !v ? RegNotFound : !v->isString ? RegInvalidData : RegOk;
  record::ValueRead(k.root, k.path, name, result, result == RegOk ? v->data.c_str() : nullptr);
  if (result != RegOk) return result;
  const std::uint32_t needed = static_cast<std::uint32_t>(v->data.size() + 1);
  if (!buffer || size < needed) {
    size = needed;
    return buffer ? RegMoreData : RegOk;
  }
  CopyOut(v->data, buffer, size);
  size = needed;
  return RegOk;
}

long RegSetString(RegKey key, const char* name, const char* data, std::uint32_t length) {
  OpenKey k;
  if (!Lookup(key, k)) return RegInvalidHandle;
  if (Current().Fails(Fault::Registry)) return RegAccessDenied;
  // The stored string ends at its terminator or after `length` characters.
  std::string text;
  for (std::uint32_t i = 0; i < length && data[i]; ++i) text += data[i];
  const std::string n = name ? name : "";
  RegValue* v = k.node->Value(n);
  if (!v) {
    k.node->values.push_back({n, "", true});
    v = &k.node->values.back();
  }
  v->data = text;
  v->isString = true;
  record::ValueSet(k.root, k.path, n, text);
  return RegOk;
}

long RegRemoveValue(RegKey key, const char* name) {
  OpenKey k;
  if (!Lookup(key, k)) return RegInvalidHandle;
  const std::string n = name ? name : "";
  if (!k.node->Value(n)) return RegNotFound;
  if (Current().Fails(Fault::Registry)) return RegAccessDenied;
  k.node->RemoveValue(n);
  record::ValueDeleted(k.root, k.path, n);
  return RegOk;
}

long RegRemoveKey(RegKey key, const char* subkey) {
  OpenKey k;
  if (!Lookup(key, k)) return RegInvalidHandle;
  const RegNode* child = k.node->Child(Trimmed(subkey));
  if (!child) return RegNotFound;
  if ((!child->keys.empty() && Current().system == "NT") || Current().Fails(Fault::Registry))
    return RegAccessDenied;
  const std::string path = k.path.empty() ? child->name : k.path + "\\" + child->name;
  k.node->RemoveChild(child->name);
  record::KeyDeleted(k.root, path);
  return RegOk;
}

long RegEnumSubKey(RegKey key, std::uint32_t index, char* buffer, std::uint32_t size) {
  OpenKey k;
  if (!Lookup(key, k)) return RegInvalidHandle;
  if (index >= k.node->keys.size()) return RegNoMoreItems;
  const std::string& name = k.node->keys[index]->name;
  if (size < name.size() + 1) return RegMoreData;
  CopyOut(name, buffer, size);
  return RegOk;
}

}  // namespace port
