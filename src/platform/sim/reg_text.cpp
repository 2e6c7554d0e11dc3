#include "platform/sim/reg_text.h"

#include <map>
#include <set>
#include <utility>
#include <unordered_map>
#include <vector>

#include "platform/sim/text.h"

namespace sim {
namespace {

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

std::string ValueText(const RegValue& v) {
  return (v.name.empty() ? "@" : RegQuote(v.name)) + "=" + (v.isString ? RegQuote(v.data) : v.data);
}

const RegValue* ValueOf(const RegNode& node, const std::string& name) {
  for (const RegValue& v : node.values)
    if (SameText(v.name, name)) return &v;
  return nullptr;
}

// A line of the file with its own line end ("" for a last line without one).
struct TextLine {
  std::string text, end;
  RegLine parsed;
};

// The lines from one key's header to the next key's.
struct Section {
  TextLine header;
  std::vector<TextLine> body;
  const RegNode* node = nullptr;  // null once the key is deleted
};

class Updater {
 public:
  Updater(const std::string& original, const std::string& rootName, const RegNode& root)
      : rootName_(rootName), root_(root) {
    Split(original.empty() ? "REGEDIT4\r\n\r\n" : original);
  }

  std::string Text() {
    for (std::size_t i = 0; i < sections_.size(); ++i) {
      Section& s = sections_[i];
      if (!s.node) continue;
      sectionsOf_[s.node].push_back(i);
      for (std::size_t j = 0; j < s.body.size(); ++j)
        if (s.body[j].parsed.kind == RegLine::Kind::Value)
          lastLine_[s.node][Upper(s.body[j].parsed.value.name)] = {i, j};
      for (const RegNode* n = s.node; n; n = parentOf_.count(n) ? parentOf_[n] : nullptr) {
        firstIn_.emplace(n, static_cast<long>(i));
        lastIn_[n] = static_cast<long>(i);
      }
    }
    PlaceNewKeys(root_, rootName_, static_cast<long>(sections_.size()) - 1);
    for (const TextLine& line : header_) Add(line);
    AddInserted(-1);
    for (std::size_t i = 0; i < sections_.size(); ++i) {
      if (sections_[i].node) WriteSection(i);
      AddInserted(static_cast<long>(i));
    }
    return out_;
  }

 private:
  void Split(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size()) {
      std::size_t nl = text.find('\n', at);
      const std::size_t next = nl == std::string::npos ? text.size() : nl + 1;
      std::size_t stop = nl == std::string::npos ? text.size() : nl;
      if (stop > at && text[stop - 1] == '\r') --stop;
      TextLine line{text.substr(at, stop - at), text.substr(stop, next - stop), {}};
      if (at == 0 && next > stop && text[next - 1] == '\n') eol_ = line.end;
      at = next;
      line.parsed = ParseRegLine(line.text);
      if (line.parsed.kind == RegLine::Kind::Key) {
        sections_.push_back({line, {}, Find(line.parsed.key)});
      } else if (sections_.empty()) {
        header_.push_back(line);
      } else {
        sections_.back().body.push_back(line);
      }
    }
  }

  // The live key a header names, remembering the parent of each key on the way.
  const RegNode* Find(const std::string& path) {
    if (!StartsWithText(path, rootName_)) return nullptr;
    const RegNode* node = &root_;
    std::string part;
    const std::string rest = path.substr(rootName_.size()) + "\\";
    for (char c : rest) {
      if (c != '\\') {
        part += c;
        continue;
      }
      if (part.empty()) continue;
      const RegNode* child = node->Child(part);
      if (!child) return nullptr;
      parentOf_[child] = node;
      node = child;
      part.clear();
    }
    return node;
  }

  // Pre-order: a key that needs lines of its own and has none goes after the
  // last lines of its parent's keys, or where its parent went.
  void PlaceNewKeys(const RegNode& node, const std::string& path, long place) {
    const auto last = lastIn_.find(&node);
    const bool own = !sectionsOf_.count(&node) &&
                     (!node.values.empty() || (node.keys.empty() && &node != &root_));
    if (own) {
      std::string block = "[" + path + "]" + eol_;
      for (const RegValue& v : node.values) block += ValueText(v) + eol_;
      // Before the lines of its subkeys when they have some.
      inserted_[last != lastIn_.end() ? firstIn_[&node] - 1 : place].push_back(block + eol_);
    }
    if (last != lastIn_.end()) place = last->second;
    for (const auto& child : node.keys) PlaceNewKeys(*child, path + "\\" + child->name, place);
  }

  // A value's line stays as it was unless the value changed; of several lines
  // for one value, the last holds it, as it does when the file is read.
  void WriteSection(std::size_t index) {
    const Section& s = sections_[index];
    const bool last = sectionsOf_[s.node].back() == index;
    Add(s.header);
    // New values follow the last value line of the key's last section.
    std::size_t after = 0;
    for (std::size_t i = 0; i < s.body.size(); ++i)
      if (s.body[i].parsed.kind == RegLine::Kind::Value) after = i + 1;
    for (std::size_t i = 0; i <= s.body.size(); ++i) {
      if (last && i == after) {
        for (const RegValue& v : s.node->values)
          if (!written_[s.node].count(Upper(v.name))) {
            written_[s.node].insert(Upper(v.name));
            Add({ValueText(v), eol_, {}});
          }
      }
      if (i == s.body.size()) break;
      const TextLine& line = s.body[i];
      const RegLine& parsed = line.parsed;
      if (parsed.kind != RegLine::Kind::Value) {
        Add(line);
        continue;
      }
      const RegValue* v = ValueOf(*s.node, parsed.value.name);
      if (!v) continue;
      const std::string name = Upper(v->name);
      if (lastLine_[s.node][name] != std::make_pair(index, i)) {
        Add(line);  // one that a later line of the same value overrides
        continue;
      }
      written_[s.node].insert(name);
      if (v->isString == parsed.value.isString && v->data == parsed.value.data) Add(line);
      else Add({ValueText(*v), eol_, {}});
    }
  }

  void AddInserted(long place) {
    const auto blocks = inserted_.find(place);
    if (blocks == inserted_.end()) return;
    for (const std::string& block : blocks->second) {
      if (!EndsWithBlankLine()) out_ += EndLine() + eol_;
      out_ += block;
      lastEnd_ = eol_;
    }
  }

  void Add(const TextLine& line) {
    out_ += EndLine() + line.text + line.end;
    lastEnd_ = line.end;
  }

  // What the text so far needs before another line: a line end when its last
  // line (the file's last) has none, or only a carriage return.
  std::string EndLine() const {
    if (out_.empty() || out_.back() == '\n') return "";
    return lastEnd_ == "\r" ? "\n" : eol_;
  }

  bool EndsWithBlankLine() const {
    if (out_.empty() || out_.back() != '\n') return false;
    std::size_t end = out_.size() - 1;
    if (end > 0 && out_[end - 1] == '\r') --end;
    return end == 0 || out_[end - 1] == '\n';
  }

  const std::string& rootName_;
  const RegNode& root_;
  std::string eol_ = "\r\n";
  std::string lastEnd_;
  std::vector<TextLine> header_;
  std::vector<Section> sections_;
  std::unordered_map<const RegNode*, const RegNode*> parentOf_;
  std::unordered_map<const RegNode*, std::vector<std::size_t>> sectionsOf_;
  std::unordered_map<const RegNode*, long> firstIn_, lastIn_;  // sections in each key's subtree
  std::unordered_map<long, std::vector<std::string>> inserted_;  // new keys after a section
  std::unordered_map<const RegNode*, std::set<std::string>> written_;  // values, upper case
  // Where each value's last line is: section and line within it.
  std::unordered_map<const RegNode*, std::map<std::string, std::pair<std::size_t, std::size_t>>>
      lastLine_;
  std::string out_;
};

}  // namespace

RegLine ParseRegLine(const std::string& line) {
  RegLine r;
  if (line.empty() || line[0] == ';') return r;
  if (line[0] == '[') {
    const auto close = line.rfind(']');
    if (close == std::string::npos) {
      r.kind = RegLine::Kind::Bad;
      r.error = "unclosed key name";
      return r;
    }
    r.kind = RegLine::Kind::Key;
    r.key = line.substr(1, close - 1);
    return r;
  }
  r.kind = RegLine::Kind::Bad;
  std::size_t pos = 0;
  if (line[0] == '@') {
    pos = 1;
  } else if (!ReadRegString(line, pos, r.value.name)) {
    r.error = "bad value name";
    return r;
  }
  if (pos >= line.size() || line[pos] != '=') {
    r.error = "expected '='";
    return r;
  }
  ++pos;
  if (pos < line.size() && line[pos] == '"') {
    if (!ReadRegString(line, pos, r.value.data)) {
      r.error = "bad string";
      return r;
    }
  } else {
    r.value.isString = false;
    r.value.data = line.substr(pos);
  }
  r.kind = RegLine::Kind::Value;
  return r;
}

std::string UpdateRegText(const std::string& original, const std::string& rootName,
                          const RegNode& root) {
  return Updater(original, rootName, root).Text();
}

}  // namespace sim
