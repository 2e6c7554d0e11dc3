#include "answers.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

namespace {

struct Token {
  bool quoted;
  std::string text;
};

// Splits a line into words and quoted strings; false on an open string.
bool Tokenise(const std::string& line, std::vector<Token>& tokens) {
  std::size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == '#') {
      break;
    } else if (c == '"') {
      std::string text;
      ++i;
      for (;; ++i) {
        if (i >= line.size()) return false;
        if (line[i] == '"') break;
        if (line[i] == '\\' && i + 1 < line.size()) {
          char e = line[++i];
          text += e == 'n' ? '\n' : e;
        } else {
          text += line[i];
        }
      }
      ++i;
      tokens.push_back({true, text});
    } else {
      std::size_t start = i;
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' &&
             line[i] != '"')
        ++i;
      tokens.push_back({false, line.substr(start, i - start)});
    }
  }
  return true;
}

bool Number(const Token& token, int& value) {
  if (token.quoted || token.text.empty()) return false;
  char* end = nullptr;
  long v = std::strtol(token.text.c_str(), &end, 10);
  if (*end != '\0') return false;
  value = static_cast<int>(v);
  return true;
}

bool Same(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return i == a.size() && b[i] == '\0';
}

bool ParseBox(const std::vector<Token>& t, Answer& answer) {
  if (t.size() < 3 || t.size() > 4 || !t[1].quoted) return false;
  answer.isBox = true;
  answer.title = t[1].text;
  if (t.size() == 4) {
    if (!t[2].quoted) return false;
    answer.textPart = t[2].text;
  }
  const Token& button = t.back();
  answer.button = button.quoted ? 0 : ButtonId(button.text);
  return answer.button != 0;
}

bool ParseDialog(const std::vector<Token>& t, Answer& answer) {
  if (t.size() < 2 || !Number(t[1], answer.dialogId)) return false;
  for (std::size_t i = 2; i < t.size(); ++i) {
    DialogAction action{DialogAction::Escape, 0, ""};
    const std::string& verb = t[i].text;
    if (t[i].quoted) return false;
    if (verb == "escape") {
      answer.actions.push_back(action);
      continue;
    }
    if (verb == "set") action.kind = DialogAction::Set;
    else if (verb == "check") action.kind = DialogAction::Check;
    else if (verb == "uncheck") action.kind = DialogAction::Uncheck;
    else if (verb == "press") action.kind = DialogAction::Press;
    else return false;
    if (++i >= t.size() || !Number(t[i], action.control)) return false;
    if (action.kind == DialogAction::Set) {
      if (++i >= t.size() || !t[i].quoted) return false;
      action.text = t[i].text;
    }
    answer.actions.push_back(action);
  }
  return true;
}

}  // namespace

bool ParseAnswers(const std::string& text, std::vector<Answer>& answers, std::string& error) {
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::vector<Token> tokens;
    bool ok = Tokenise(line, tokens);
    if (ok && tokens.empty()) continue;
    Answer answer;
    if (ok && !tokens[0].quoted && tokens[0].text == "box") ok = ParseBox(tokens, answer);
    else if (ok && !tokens[0].quoted && tokens[0].text == "dialog") ok = ParseDialog(tokens, answer);
    else if (ok && !tokens[0].quoted && tokens[0].text == "close" && tokens.size() == 2 &&
             tokens[1].quoted) {
      answer.isClose = true;
      answer.title = tokens[1].text;
    }
    else ok = false;
    if (!ok) {
      error = "answer line " + std::to_string(number) + " cannot be read: " + line;
      return false;
    }
    std::size_t end = line.find_last_not_of(" \t\r");
    answer.line = line.substr(0, end + 1);
    answers.push_back(answer);
  }
  return true;
}

Answer* FindBoxAnswer(std::vector<Answer>& answers, const std::string& title,
                      const std::string& text) {
  for (Answer& a : answers)
    if (!a.used && a.isBox && a.title == title && text.find(a.textPart) != std::string::npos)
      return &a;
  return nullptr;
}

Answer* FindCloseAnswer(std::vector<Answer>& answers, const std::string& title) {
  for (Answer& a : answers)
    if (!a.used && a.isClose && a.title == title) return &a;
  return nullptr;
}

Answer* FindDialogAnswer(std::vector<Answer>& answers, int dialogId) {
  for (Answer& a : answers)
    if (!a.used && !a.isBox && !a.isClose && a.dialogId == dialogId) return &a;
  return nullptr;
}

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    if (c == '\n') {
      out += "\\n";
    } else if (c != '\r') {
      out += c;
    }
  }
  return out + "\"";
}

namespace {
const struct {
  int id;
  const char* name;
} kButtons[] = {{1, "OK"}, {2, "Cancel"}, {3, "Abort"}, {4, "Retry"},
                {5, "Ignore"}, {6, "Yes"}, {7, "No"}};
}  // namespace

int ButtonId(const std::string& name) {
  for (const auto& b : kButtons)
    if (Same(name, b.name)) return b.id;
  return 0;
}

const char* ButtonName(int id) {
  for (const auto& b : kButtons)
    if (b.id == id) return b.name;
  return nullptr;
}
