#include "platform/sim/answers.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sstream>

#include "platform/sim/sim.h"
#include "platform/sim/text.h"

namespace sim {
namespace {

// Splits a line into words and quoted strings; quoted ones keep a leading '"'
// marker so that "OK" in quotes is not the word OK.
std::vector<std::string> Tokens(const std::string& line, const std::string& where) {
  std::vector<std::string> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c == '#') {
      break;
    } else if (c == '"') {
      std::string s = "\"";
      for (++i;; ++i) {
        if (i >= line.size()) throw Error(where + "unclosed string");
        char d = line[i];
        if (d == '"') break;
        if (d == '\\' && i + 1 < line.size()) {
          const char e = line[++i];
          if (e != 'n' && e != 't' && e != '"' && e != '\\')
            throw Error(where + "unknown escape \\" + std::string(1, e));
          d = e == 'n' ? '\n' : e == 't' ? '\t' : e;
        }
        s += d;
      }
      ++i;
      tokens.push_back(s);
    } else {
      std::string w;
      while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) w += line[i++];
      tokens.push_back(w);
    }
  }
  return tokens;
}

bool IsString(const std::string& t) { return !t.empty() && t[0] == '"'; }

// A template or control id: a number that fits the int it is passed as.
int Number(const std::string& t, const char* what, const std::string& where) {
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(t.c_str(), &end, 10);
  if (t.empty() || *end) throw Error(where + "expected a number, found " + t);
  if (errno == ERANGE || v < INT_MIN || v > INT_MAX)
    throw Error(where + "the " + what + " " + t + " is out of range");
  return static_cast<int>(v);
}

std::string Trimmed(const std::string& line) {
  const auto first = line.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

int ButtonId(const std::string& word) {
  if (SameText(word, "OK")) return 1;
  if (SameText(word, "Cancel")) return 2;
  if (SameText(word, "Retry")) return 4;
  if (SameText(word, "Yes")) return 6;
  if (SameText(word, "No")) return 7;
  return 0;
}

void Answers::Add(const std::string& text, const std::string& source) {
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    const std::string where = source + ":" + std::to_string(number) + ": ";
    if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0)
      throw Error(where + "a byte-order mark: the script is plain text without one");
    const std::vector<std::string> t = Tokens(line, where);
    if (t.empty()) continue;
    Answer a;
    a.line = number;
    a.written = Trimmed(line);
    std::size_t i = 1;
    auto need = [&](const char* what) -> const std::string& {
      if (i >= t.size()) throw Error(where + "missing " + what);
      return t[i++];
    };
    if (t[0] == "box") {
      a.kind = Answer::Kind::Box;
      const std::string& title = need("the box's title");
      if (!IsString(title)) throw Error(where + "the title must be quoted");
      a.title = title.substr(1);
      if (i < t.size() && IsString(t[i])) a.text = t[i++].substr(1);
      a.button = ButtonId(need("a button (OK, Cancel, Retry, Yes, No)"));
      if (!a.button) throw Error(where + "unknown button " + t[i - 1]);
      while (i < t.size()) {
        if (t[i] != "then" || i + 2 >= t.size() || !IsString(t[i + 2]) ||
            (t[i + 1] != "close" && t[i + 1] != "insert" && t[i + 1] != "remove"))
          throw Error(where +
                      "expected: then close \"WINDOW\", then insert \"DRIVE\" or then remove \"DRIVE\"");
        if (t[i + 1] == "close") {
          a.thenClose = t[i + 2].substr(1);
        } else {
          std::string& drive = t[i + 1] == "insert" ? a.thenInsert : a.thenRemove;
          drive = t[i + 2].substr(1);
          if (drive.size() != 1 || !std::isalpha(static_cast<unsigned char>(drive[0])))
            throw Error(where + "then " + t[i + 1] + " takes a drive letter, not " + drive);
        }
        i += 3;
      }
    } else if (t[0] == "dialog") {
      a.kind = Answer::Kind::Dialog;
      a.templateId = Number(need("the dialog's template id"), "template id", where);
      while (i < t.size()) {
        const std::string& verb = t[i++];
        DialogAction act{DialogAction::Kind::Press, 0, ""};
        if (verb == "escape") {
          act.kind = DialogAction::Kind::Escape;
        } else if (verb == "set" || verb == "check" || verb == "uncheck" || verb == "press") {
          act.kind = verb == "set"     ? DialogAction::Kind::Set
                     : verb == "check" ? DialogAction::Kind::Check
                     : verb == "uncheck" ? DialogAction::Kind::Uncheck
                                         : DialogAction::Kind::Press;
          act.control = Number(need("a control id"), "control id", where);
          if (act.kind == DialogAction::Kind::Set) {
            const std::string& s = need("the text to set");
            if (!IsString(s)) throw Error(where + "the text must be quoted");
            act.text = s.substr(1);
          }
        } else {
          throw Error(where + "unknown dialog action " + verb);
        }
        a.actions.push_back(act);
      }
    } else if (t[0] == "close") {
      a.kind = Answer::Kind::Close;
      const std::string& title = need("the window's title");
      if (!IsString(title)) throw Error(where + "the title must be quoted");
      a.title = title.substr(1);
    } else {
      throw Error(where + "expected box, dialog or close, found " + t[0]);
    }
    if (i != t.size()) throw Error(where + "unexpected " + t[i]);
    answers_.push_back(a);
  }
}

Answer* Answers::ForBox(const std::string& title, const std::string& text) {
  for (Answer& a : answers_)
    if (!a.used && a.kind == Answer::Kind::Box && a.title == title &&
        text.find(a.text) != std::string::npos)
      return &a;
  return nullptr;
}

const Answer* Answers::ForBoxIgnoringCase(const std::string& title,
                                          const std::string& text) const {
  for (const Answer& a : answers_)
    if (!a.used && a.kind == Answer::Kind::Box && SameText(a.title, title) &&
        Upper(text).find(Upper(a.text)) != std::string::npos)
      return &a;
  return nullptr;
}

std::vector<const Answer*> Answers::Unused() const {
  std::vector<const Answer*> unused;
  for (const Answer& a : answers_)
    if (!a.used) unused.push_back(&a);
  return unused;
}

Answer* Answers::ForDialog(int templateId) {
  for (Answer& a : answers_)
    if (!a.used && a.kind == Answer::Kind::Dialog && a.templateId == templateId) return &a;
  return nullptr;
}

// Window titles compare without regard to case, as the system finds windows.
Answer* Answers::ForClose(const std::string& title) {
  for (Answer& a : answers_)
    if (!a.used && a.kind == Answer::Kind::Close && SameText(a.title, title)) return &a;
  return nullptr;
}

}  // namespace sim
