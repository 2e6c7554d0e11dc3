#include "platform/sim/registry.h"

#include <fstream>
#include <sstream>

#include "platform/sim/files.h"
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

// REGEDIT4 strings escape backslashes and quotation marks.
std::string RegQuote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

// Reads a quoted REGEDIT4 string at `pos`; false when malformed.
bool ReadRegString(const std::string& line, std::size_t& pos, std::string& out) {
  if (pos >= line.size() || line[pos] != '"') return false;
  out.clear();
  for (++pos; pos < line.size(); ++pos) {
    char c = line[pos];
    if (c == '"') {
      ++pos;
      return true;
    }
    if (c == '\\' && pos + 1 < line.size()) c = line[++pos];
    out += c;
  }
  return false;
}

void WriteNode(std::ostream& out, const std::string& path, const RegNode& node) {
  out << "[" << path << "]\r\n";
  for (const RegValue& v : node.values)
    out << (v.name.empty() ? "@" : RegQuote(v.name)) << "="
        << (v.isString ? RegQuote(v.data) : v.data) << "\r\n";
  out << "\r\n";
  for (const auto& child : node.keys) WriteNode(out, path + "\\" + child->name, *child);
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
    const std::string file = folder + "/" + kRootNames[i] + ".reg";
    std::string text;
    if (!ReadMachineFile(file, text)) continue;
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
      if (line.empty() || line[0] == ';') continue;
      const std::string where = file + ":" + std::to_string(number) + ": ";
      if (line[0] == '[') {
        const auto close = line.rfind(']');
        if (close == std::string::npos) throw Error(where + "unclosed key name");
        std::string path = line.substr(1, close - 1);
        const std::string prefix = std::string(kRootNames[i]);
        if (!StartsWithText(path, prefix)) throw Error(where + "key outside " + prefix);
        current = &Create(0x80000000u + i, path.substr(prefix.size()));
        continue;
      }
      if (!current) throw Error(where + "value outside a key");
      RegValue value;
      std::size_t pos = 0;
      if (line[0] == '@') {
        pos = 1;
      } else if (!ReadRegString(line, pos, value.name)) {
        throw Error(where + "bad value name");
      }
      if (pos >= line.size() || line[pos] != '=') throw Error(where + "expected '='");
      ++pos;
      if (pos < line.size() && line[pos] == '"') {
        if (!ReadRegString(line, pos, value.data)) throw Error(where + "bad string");
      } else {
        value.isString = false;
        value.data = line.substr(pos);
      }
      current->values.push_back(value);
    }
  }
}

void Registry::AddTexts(const std::string& folder, std::vector<HostFileText>& files) const {
  for (std::uint32_t i = 0; i < 4; ++i) {
    std::ostringstream out;
    out << "REGEDIT4\r\n\r\n";
    for (const auto& child : roots_[i].keys)
      WriteNode(out, std::string(kRootNames[i]) + "\\" + child->name, *child);
    const std::string file = folder + "/" + kRootNames[i] + ".reg";
    if (roots_[i].keys.empty() && !HostFileExists(file)) continue;
    files.push_back({file, out.str()});
  }
}

}  // namespace sim
