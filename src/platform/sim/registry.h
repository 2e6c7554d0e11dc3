// One Windows installation's registry: a tree of keys with string values,
// kept in REGEDIT4 files, one per root (registry/<system>/HKEY_....reg),
// which a save changes only where the registry changed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/sim/files.h"

namespace sim {

struct RegValue {
  std::string name;  // "" is the key's default value
  std::string data;  // the string, or a REGEDIT4 literal such as dword:00000001
  bool isString = true;
};

struct RegNode {
  std::string name;
  std::vector<RegValue> values;
  // Subkeys in the order they were made; added and removed only through
  // AddChild and RemoveChild, which keep the index by name in step.
  std::vector<std::unique_ptr<RegNode>> keys;

  RegNode* Child(const std::string& name) const;
  RegNode& AddChild(const std::string& name);
  RegValue* Value(const std::string& name);
  bool RemoveValue(const std::string& name);
  bool RemoveChild(const std::string& name);

 private:
  // The subkeys by their name in capitals: a key with many subkeys (a real
  // machine has tens of thousands under one) finds one without a search.
  std::unordered_map<std::string, RegNode*> byName_;
};

class Registry {
 public:
  // The roots' names as REGEDIT4 writes them; 0 for an unknown root.
  static const char* RootName(std::uint32_t root);

  // Reads every root's .reg file in `folder`; a missing file is an empty root.
  // Throws Error when the folder cannot be read, or a file cannot be read or
  // is not REGEDIT4.
  void Load(const std::string& folder);
  // The .reg files of `folder` that differ from what was read or last saved,
  // each changed only where its keys and values changed.
  void AddTexts(const std::string& folder, std::vector<HostFileText>& files) const;
  // Takes note of the files of `folder` that a save has written.
  void Saved(const std::string& folder, const std::vector<HostFileText>& files);

  // The key at `path` ('\'-separated) under `root`; null when it is absent.
  RegNode* Find(std::uint32_t root, const std::string& path);
  RegNode& Create(std::uint32_t root, const std::string& path);

 private:
  RegNode* Root(std::uint32_t root);
  RegNode roots_[4];
  std::string texts_[4];  // each root's file as read or last saved
};

}  // namespace sim
