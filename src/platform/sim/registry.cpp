#include "platform/sim/registry.h"

#include <sstream>

#include "platform/sim/files.h"
#include "platform/sim/reg_text.h"
#include "platform/sim/sim.h"
#include "platform/sim/text.h"

namespace sim {
namespace {

const char* const kRootNames[4] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                   "HKEY_LOCAL_MACHINE", "HKEY_USERS"};

std::vector<std::string> SplitKey(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

}  // namespace

RegNode* RegNode::Child(const std::string& n) const {
  const auto it = byName_.find(Upper(n));
  return it == byName_.end() ? nullptr : it->second;
}

RegNode& RegNode::AddChild(const std::string& n) {
  RegNode*& slot = byName_[Upper(n)];
  if (!slot) {
    keys.push_back(std::make_unique<RegNode>());
    keys.back()->name = n;
    slot = keys.back().get();
  }
  return *slot;
}

RegValue* RegNode::Value(const std::string& n) {
  for (RegValue& v : values)
    if (SameText(v.name, n)) return &v;
  return nullptr;
}

bool RegNode::RemoveValue(const std::string& n) {
  for (auto it = values.begin(); it != values.end(); ++it)
    if (SameText(it->name, n)) {
      values.erase(it);
      return true;
    }
  return false;
}

bool RegNode::RemoveChild(const std::string& n) {
  const auto at = byName_.find(Upper(n));
  if (at == byName_.end()) return false;
  for (auto it = keys.begin(); it != keys.end(); ++it)
    if (it->get() == at->second) {
      keys.erase(it);
      break;
    }
  byName_.erase(at);
  return true;
}

const char* Registry::RootName(std::uint32_t root) {
  return root >= 0x80000000u && root <= 0x80000003u ? kRootNames[root - 0x80000000u] : nullptr;
}

RegNode* Registry::Root(std::uint32_t root) {
  return RootName(root) ? &roots_[root - 0x80000000u] : nullptr;
}

RegNode* Registry::Find(std::uint32_t root, const std::string& path) {
  RegNode* node = Root(root);
  for (const std::string& part : SplitKey(path)) {
    if (!node) return nullptr;
    node = node->Child(part);
  }
  return node;
}

RegNode& Registry::Create(std::uint32_t root, const std::string& path) {
  RegNode* node = Root(root);
  for (const std::string& part : SplitKey(path)) node = &node->AddChild(part);
  return *node;
}

void Registry::Load(const std::string& folder) {
  // Without its folder the registry would be taken as empty and saved so.
  CheckMachineFolder(folder);
  for (std::uint32_t i = 0; i < 4; ++i) {
    roots_[i] = RegNode{};
    texts_[i].clear();
    const std::string file = folder + "/" + kRootNames[i] + ".reg";
    std::string text;
    if (!ReadMachineFile(file, text)) continue;
    texts_[i] = text;
    std::istringstream in(text);
    std::string line;
    RegNode* current = nullptr;
    bool first = true;
    int number = 0;
    while (std::getline(in, line)) {
      ++number;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (first) {
        if (line != "REGEDIT4") throw Error(file + ": not a REGEDIT4 file");
        first = false;
        continue;
      }
      const std::string where = file + ":" + std::to_string(number) + ": ";
      const RegLine parsed = ParseRegLine(line);
      switch (parsed.kind) {
        case RegLine::Kind::Other:
          break;
        case RegLine::Kind::Bad:
          throw Error(where + parsed.error);
        case RegLine::Kind::Key: {
          const std::string prefix = std::string(kRootNames[i]);
          if (!StartsWithText(parsed.key, prefix)) throw Error(where + "key outside " + prefix);
          current = &Create(0x80000000u + i, parsed.key.substr(prefix.size()));
          break;
        }
        case RegLine::Kind::Value:
          if (!current) throw Error(where + "value outside a key");
          // A value given twice has the later data, as importing the file gives it.
          if (RegValue* v = current->Value(parsed.value.name)) *v = parsed.value;
          else current->values.push_back(parsed.value);
          break;
      }
    }
  }
}

void Registry::AddTexts(const std::string& folder, std::vector<HostFileText>& files) const {
  for (std::uint32_t i = 0; i < 4; ++i) {
    const std::string file = folder + "/" + kRootNames[i] + ".reg";
    if (roots_[i].keys.empty() && roots_[i].values.empty() && texts_[i].empty()) continue;
    std::string text = UpdateRegText(texts_[i], kRootNames[i], roots_[i]);
    if (text != texts_[i]) files.push_back({file, std::move(text)});
  }
}

void Registry::Saved(const std::string& folder, const std::vector<HostFileText>& files) {
  for (const HostFileText& saved : files)
    for (std::uint32_t i = 0; i < 4; ++i)
      if (saved.path == folder + "/" + kRootNames[i] + ".reg") texts_[i] = saved.text;
}

}  // namespace sim
