#include "platform/sim/resources.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

#include "platform/sim/sim.h"
#include "platform/sim/text.h"

namespace sim {
extern const char kResourceScript[];

namespace {

struct Token {
  enum class Kind { Word, Number, String, Comma, Bar } kind;
  std::string text;
  long number = 0;
};

std::vector<Token> Tokenize(const std::string& line, const std::string& where) {
  std::vector<Token> out;
  std::size_t i = 0;
  while (i < line.size()) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    if (std::isspace(c)) {
      ++i;
    } else if (c == '/' && i + 1 < line.size() && line[i + 1] == '/') {
      break;
    } else if (c == ',') {
      out.push_back({Token::Kind::Comma, ",", 0});
      ++i;
    } else if (c == '|') {
      out.push_back({Token::Kind::Bar, "|", 0});
      ++i;
    } else if (c == '"') {
      std::string s;
      for (++i; i < line.size(); ++i) {
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            s += '"';
            ++i;
            continue;
          }
          break;
        }
        if (line[i] == '\\' && i + 1 < line.size()) {
          const char e = line[++i];
          s += e == 'n' ? '\n' : e == 't' ? '\t' : e;
          continue;
        }
        s += line[i];
      }
      if (i >= line.size()) throw Error(where + "unclosed string");
      ++i;
      out.push_back({Token::Kind::String, s, 0});
    } else if (std::isdigit(c) || c == '-') {
      std::size_t j = i + 1;
      while (j < line.size() && std::isalnum(static_cast<unsigned char>(line[j]))) ++j;
      const std::string t = line.substr(i, j - i);
      out.push_back({Token::Kind::Number, t, std::strtol(t.c_str(), nullptr, 0)});
      i = j;
    } else {
      std::size_t j = i;
      while (j < line.size() && (std::isalnum(static_cast<unsigned char>(line[j])) ||
                                 line[j] == '_' || line[j] == '.'))
        ++j;
      if (j == i) throw Error(where + "unexpected character '" + line.substr(i, 1) + "'");
      out.push_back({Token::Kind::Word, line.substr(i, j - i), 0});
      i = j;
    }
  }
  return out;
}

// Reads the comma-separated fields of a statement: each field is a number, a
// string, or styles joined by '|'.
struct Field {
  std::vector<Token> tokens;
  long Number() const { return tokens.empty() ? 0 : tokens[0].number; }
  std::string Text() const { return tokens.empty() ? "" : tokens[0].text; }
  std::vector<std::string> Styles() const {
    std::vector<std::string> s;
    bool negate = false;
    for (const Token& t : tokens) {
      if (t.kind == Token::Kind::Word && t.text == "NOT") negate = true;
      else if (t.kind == Token::Kind::Word || t.kind == Token::Kind::Number) {
        s.push_back((negate ? "-" : "") + t.text);
        negate = false;
      }
    }
    return s;
  }
};

std::vector<Field> Fields(const std::vector<Token>& tokens, std::size_t from) {
  std::vector<Field> fields(1);
  for (std::size_t i = from; i < tokens.size(); ++i) {
    if (tokens[i].kind == Token::Kind::Comma) fields.emplace_back();
    else fields.back().tokens.push_back(tokens[i]);
  }
  if (fields.size() == 1 && fields[0].tokens.empty()) fields.clear();
  return fields;
}

// The first field of a statement that must have one.
Field FirstField(const std::vector<Token>& tokens, const std::string& where,
                 const std::string& statement) {
  std::vector<Field> fields = Fields(tokens, 1);
  if (fields.empty()) throw Error(where + statement + " without a value");
  return fields[0];
}

std::string ClassOf(const std::string& kind, const std::string& controlClass) {
  if (kind == "EDITTEXT") return "Edit";
  if (kind == "LTEXT" || kind == "CTEXT" || kind == "RTEXT" || kind == "ICON") return "Static";
  if (kind == "CONTROL") return controlClass;
  return "Button";
}

ControlTemplate ParseControl(const std::string& kind, const std::vector<Token>& tokens,
                             const std::string& where) {
  const std::vector<Field> f = Fields(tokens, 1);
  ControlTemplate c;
  c.kind = kind;
  std::size_t i = 0;
  auto field = [&]() -> const Field& {
    if (i >= f.size()) throw Error(where + kind + " has too few fields");
    return f[i++];
  };
  // EDITTEXT has no text; every other statement begins with its text.
  if (kind != "EDITTEXT") c.text = field().Text();
  c.id = static_cast<int>(field().Number());
  std::string controlClass;
  if (kind == "CONTROL") {
    controlClass = field().Text();
    c.styles = field().Styles();
  }
  c.x = static_cast<int>(field().Number());
  c.y = static_cast<int>(field().Number());
  c.width = static_cast<int>(field().Number());
  c.height = static_cast<int>(field().Number());
  for (; i < f.size(); ++i)
    for (const std::string& s : f[i].Styles()) c.styles.push_back(s);
  c.klass = ClassOf(kind, controlClass);
  return c;
}

const char* const kControlStatements[] = {"LTEXT",        "CTEXT",           "RTEXT",
                                          "EDITTEXT",     "PUSHBUTTON",      "DEFPUSHBUTTON",
                                          "ICON",         "AUTOCHECKBOX",    "CHECKBOX",
                                          "AUTORADIOBUTTON", "RADIOBUTTON",  "GROUPBOX",
                                          "CONTROL"};

bool IsControlStatement(const std::string& word) {
  return std::find(std::begin(kControlStatements), std::end(kControlStatements), word) !=
         std::end(kControlStatements);
}

}  // namespace

bool ControlTemplate::HasStyle(const std::string& style) const {
  return std::find(styles.begin(), styles.end(), style) != styles.end();
}

bool ControlTemplate::IsCheckBox() const {
  return kind == "AUTOCHECKBOX" || kind == "CHECKBOX" || HasStyle("BS_AUTOCHECKBOX") ||
         HasStyle("BS_CHECKBOX");
}

bool ControlTemplate::IsRadioButton() const {
  return kind == "AUTORADIOBUTTON" || kind == "RADIOBUTTON" || HasStyle("BS_AUTORADIOBUTTON") ||
         HasStyle("BS_RADIOBUTTON");
}

bool DialogTemplate::HasStyle(const std::string& style) const {
  return std::find(styles.begin(), styles.end(), style) != styles.end();
}

const DialogTemplate* ResourceScript::Dialog(int id) const {
  for (const DialogTemplate& d : dialogs)
    if (d.id == id) return &d;
  return nullptr;
}

ResourceScript ParseResourceScript(const std::string& text) {
  ResourceScript script;
  std::istringstream in(text);
  std::string line;
  int number = 0;
  DialogTemplate* dialog = nullptr;
  bool inBody = false;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string where = "zvset.rc:" + std::to_string(number) + ": ";
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    const std::vector<Token> t = Tokenize(line, where);
    if (t.empty()) continue;
    const std::string& head = t[0].text;
    if (inBody) {
      if (head == "END" || head == "}") {
        inBody = false;
        dialog = nullptr;
      } else if (IsControlStatement(head)) {
        dialog->controls.push_back(ParseControl(head, t, where));
      } else {
        throw Error(where + "unknown control statement " + head);
      }
      continue;
    }
    if (t.size() >= 2 && t[0].kind == Token::Kind::Number &&
        (t[1].text == "DIALOG" || t[1].text == "DIALOGEX")) {
      script.dialogs.emplace_back();
      dialog = &script.dialogs.back();
      dialog->id = static_cast<int>(t[0].number);
      const std::vector<Field> f = Fields(t, 2);
      if (f.size() < 4) throw Error(where + "a dialog needs x, y, width and height");
      dialog->x = static_cast<int>(f[0].Number());
      dialog->y = static_cast<int>(f[1].Number());
      dialog->width = static_cast<int>(f[2].Number());
      dialog->height = static_cast<int>(f[3].Number());
    } else if (t.size() >= 2 && t[0].kind == Token::Kind::Number && t[1].text == "ICON") {
      script.icons.push_back(static_cast<int>(t[0].number));
    } else if (dialog && head == "STYLE") {
      dialog->styles = FirstField(t, where, head).Styles();
    } else if (dialog && head == "EXSTYLE") {
      dialog->exStyles = FirstField(t, where, head).Styles();
    } else if (dialog && head == "CAPTION") {
      dialog->caption = FirstField(t, where, head).Text();
    } else if (dialog && head == "FONT") {
      const std::vector<Field> f = Fields(t, 1);
      dialog->fontSize = static_cast<int>(FirstField(t, where, head).Number());
      if (f.size() > 1) dialog->fontName = f[1].Text();
    } else if (dialog && (head == "BEGIN" || head == "{")) {
      inBody = true;
    } else if (dialog && (head == "LANGUAGE" || head == "MENU" || head == "CLASS")) {
    } else if (!dialog) {
      // Other resources (bitmaps, version blocks) are the Windows build's alone.
    } else {
      throw Error(where + "unknown dialog statement " + head);
    }
  }
  return script;
}

const ResourceScript& ProgramResources() {
  static const ResourceScript script = ParseResourceScript(kResourceScript);
  return script;
}

}  // namespace sim
