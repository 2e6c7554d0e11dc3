// The robot: the scripted user of ZVSET under Wine. It starts a command (the
// front end's stand-in, which starts ZVSET), watches the message boxes and
// dialogs that appear, writes what each one shows into a transcript and
// answers it from the answer script, until the command ends.
//
// Usage: zvrobot ANSWERS TRANSCRIPT RESOURCES -- COMMAND LINE
//   RESOURCES  the program's resource script, for the dialogs' template ids
//              by their captions
//
// Transcript lines:
//   box "TITLE" "TEXT" buttons NAME... icon shown|none
//   dialog ID "CAPTION"
//     CONTROL-ID KIND "TEXT" [checked] [hidden] [disabled]
//   answer LINE
//   close "TITLE"          another program's window, closed by a close answer
//   no answer: the run is stopped here
//   unused answer LINE
// Exit code: 0, or 1 when a prompt had no answer, an answer was left unused
// or the command could not be started.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "answers.h"

namespace {

FILE* Transcript = nullptr;
std::vector<Answer> Answers;
// The templates of each caption, with the ids of their controls: templates
// that share a caption are told apart by the controls a dialog has.
struct Template {
  int id;
  std::vector<int> controls;
};
std::map<std::string, std::vector<Template>> TemplatesByCaption;
bool Failed = false;

void Write(const std::string& line) {
  std::fprintf(Transcript, "%s\n", line.c_str());
  std::fflush(Transcript);
}

std::string ReadFile(const char* path) {
  std::string text;
  if (FILE* in = std::fopen(path, "rb")) {
    for (int c; (c = std::fgetc(in)) != EOF;) text += static_cast<char>(c);
    std::fclose(in);
  }
  return text;
}

// A control statement's id: the first field of EDITTEXT, the second of
// every other statement (after its text); 0 when there is none to read.
int ControlStatementId(const std::string& line) {
  std::size_t at = line.find_first_not_of(" \t");
  if (at == std::string::npos) return 0;
  const std::size_t word = line.find_first_of(" \t", at);
  if (word == std::string::npos) return 0;
  const bool first = line.compare(at, word - at, "EDITTEXT") == 0;
  at = word;
  if (!first) {
    bool quoted = false;
    for (; at < line.size() && (quoted || line[at] != ','); ++at)
      if (line[at] == '"') quoted = !quoted;
    if (at >= line.size()) return 0;
    ++at;
  }
  return std::atoi(line.c_str() + at);
}

// Templates by caption: a line "ID DIALOG..." or "ID DIALOGEX...", its
// CAPTION line, and the control statements between BEGIN and END.
void ReadTemplates(const std::string& script) {
  Template pending{0, {}};
  std::string caption;
  bool body = false;
  std::size_t at = 0;
  while (at < script.size()) {
    std::size_t end = script.find('\n', at);
    if (end == std::string::npos) end = script.size();
    std::string line = script.substr(at, end - at);
    at = end + 1;
    int id = 0;
    char kind[16] = "";
    if (std::sscanf(line.c_str(), "%d %15s", &id, kind) == 2 &&
        (std::string(kind) == "DIALOG" || std::string(kind) == "DIALOGEX")) {
      pending = Template{id, {}};
      caption.clear();
    } else if (pending.id != 0 && line.compare(0, 8, "CAPTION ") == 0) {
      std::size_t open = line.find('"'), close = line.rfind('"');
      if (open != std::string::npos && close > open)
        caption = line.substr(open + 1, close - open - 1);
    } else if (pending.id != 0 && line.compare(0, 5, "BEGIN") == 0) {
      body = true;
    } else if (body && line.compare(0, 3, "END") == 0) {
      TemplatesByCaption[caption].push_back(pending);
      pending = Template{0, {}};
      body = false;
    } else if (body) {
      const int control = ControlStatementId(line);
      if (control > 0) pending.controls.push_back(control);
    }
  }
}

// The template of a dialog with this caption, 0 when none: the first whose
// every control the dialog has. A window with such a caption but none of
// these sets of controls is a box (as the front end's "Setup" title is).
int TemplateOf(HWND dialog, const std::string& caption) {
  auto found = TemplatesByCaption.find(caption);
  if (found == TemplatesByCaption.end()) return 0;
  for (const Template& t : found->second) {
    bool all = true;
    for (int control : t.controls) all = all && GetDlgItem(dialog, control) != nullptr;
    if (all) return t.id;
  }
  return 0;
}

// Texts are read by message, which the system carries across processes;
// a busy program gets a second to answer.
std::string TextOf(HWND window) {
  char buffer[2048] = "";
  DWORD_PTR length = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                      SMTO_NORMAL, 1000, &length);
  return buffer;
}

// A top-level window's caption of another process is read from the window
// itself, without a message: a dialog busy inside a handler still gives it.
std::string CaptionOf(HWND window) {
  char buffer[256] = "";
  GetWindowTextA(window, buffer, sizeof buffer);
  return buffer;
}

std::string ClassOf(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

int ControlId(HWND control) {
  int id = GetDlgCtrlID(control);
  return id == 0xFFFF ? -1 : id;
}

// Whether the program's thread is waiting for messages rather than working.
bool Idle(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, &result) != 0;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND c = GetWindow(parent, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
    children.push_back(c);
  return children;
}

const char* ControlKind(HWND control) {
  std::string cls = ClassOf(control);
  LONG style = GetWindowLongA(control, GWL_STYLE);
  if (lstrcmpiA(cls.c_str(), "Edit") == 0) return "edit";
  if (lstrcmpiA(cls.c_str(), "Static") == 0)
    return (style & SS_TYPEMASK) == SS_ICON ? "icon" : "text";
  if (lstrcmpiA(cls.c_str(), "Button") == 0) {
    switch (style & BS_TYPEMASK) {
      case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE: return "check";
      case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: return "radio";
      case BS_GROUPBOX: return "group";
      default: return "button";
    }
  }
  return "control";
}

// Whether the box shows an icon. Which icon it is cannot be read from another
// process: icon handles belong to the process that loaded them. A box without
// one may still have the icon control, visible and empty.
const char* BoxIcon(HWND box) {
  for (HWND c : Children(box))
    if (std::string(ControlKind(c)) == "icon" && IsWindowVisible(c) &&
        SendMessageA(c, STM_GETICON, 0, 0) != 0)
      return "shown";
  return "none";
}

void StopProgram(HWND window) {
  Write("no answer: the run is stopped here");
  Failed = true;
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, pid)) {
    TerminateProcess(process, 99);
    CloseHandle(process);
  }
}

void Click(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The answer used, or null when there is none.
const Answer* AnswerBox(HWND box) {
  std::string title = TextOf(box), text, buttons;
  for (HWND c : Children(box)) {
    if (!IsWindowVisible(c)) continue;
    std::string kind = ControlKind(c);
    if (kind == "text" && text.empty()) text = TextOf(c);
    if (kind == "button")
      if (const char* name = ButtonName(ControlId(c))) buttons += std::string(" ") + name;
  }
  Write("box " + Quoted(title) + " " + Quoted(text) + " buttons" + buttons + " icon " +
        BoxIcon(box));
  Answer* answer = FindBoxAnswer(Answers, title, text);
  if (answer == nullptr) return nullptr;
  answer->used = true;
  Write("answer " + answer->line);
  Click(box, answer->button);
  return answer;
}

void SetCheck(HWND dialog, int id, bool checked) {
  HWND control = GetDlgItem(dialog, id);
  LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
  if (checked && type == BS_AUTORADIOBUTTON) {
    // A click on a radio button clears the others of its group.
    for (HWND c = GetNextDlgGroupItem(dialog, control, FALSE); c != nullptr && c != control;
         c = GetNextDlgGroupItem(dialog, c, FALSE))
      SendMessageA(c, BM_SETCHECK, BST_UNCHECKED, 0);
  }
  SendMessageA(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  Click(dialog, id);
}

// The answer used, or null when there is none.
const Answer* AnswerDialog(HWND dialog, int templateId) {
  Write("dialog " + std::to_string(templateId) + " " + Quoted(CaptionOf(dialog)));
  for (HWND c : Children(dialog)) {
    std::string line = "  " + std::to_string(ControlId(c)) + " " + ControlKind(c);
    std::string kind = ControlKind(c);
    if (kind != "icon") line += " " + Quoted(TextOf(c));
    if ((kind == "check" || kind == "radio") && SendMessageA(c, BM_GETCHECK, 0, 0) == BST_CHECKED)
      line += " checked";
    if (!IsWindowVisible(c)) line += " hidden";
    if (!IsWindowEnabled(c)) line += " disabled";
    Write(line);
  }
  Answer* answer = FindDialogAnswer(Answers, templateId);
  if (answer == nullptr) return nullptr;
  answer->used = true;
  Write("answer " + answer->line);
  for (const DialogAction& a : answer->actions) {
    switch (a.kind) {
      case DialogAction::Set:
        SendMessageTimeoutA(GetDlgItem(dialog, a.control), WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(a.text.c_str()), SMTO_NORMAL, 2000,
                            nullptr);
        break;
      case DialogAction::Check: SetCheck(dialog, a.control, true); break;
      case DialogAction::Uncheck: SetCheck(dialog, a.control, false); break;
      case DialogAction::Press: Click(dialog, a.control); break;
      case DialogAction::Escape: Click(dialog, IDCANCEL); break;
    }
  }
  return answer;
}

// A prompt seen by the robot: answered at `answeredAt`; looked at again when
// it is still there afterwards (its answer left it open), once the program
// is idle and has no newer prompt.
struct Seen {
  DWORD answeredAt;
  bool again;  // false for a dialog answered by waiting: it takes no input
};
std::map<HWND, Seen> SeenPrompts;
DWORD OwnProcess = 0;

BOOL CALLBACK CollectPrompt(HWND window, LPARAM list) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != OwnProcess && IsWindowVisible(window) && ClassOf(window) == "#32770")
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

void WatchOnce() {
  std::vector<HWND> prompts;
  EnumWindows(CollectPrompt, reinterpret_cast<LPARAM>(&prompts));
  for (auto it = SeenPrompts.begin(); it != SeenPrompts.end();)
    it = IsWindow(it->first) ? std::next(it) : SeenPrompts.erase(it);
  // The newest prompt is on top; it is the one the program waits on.
  for (HWND prompt : prompts) {
    auto seen = SeenPrompts.find(prompt);
    if (seen != SeenPrompts.end() &&
        (!seen->second.again || GetTickCount() - seen->second.answeredAt < 500))
      return;
    if (!Idle(prompt)) return;
    if (!IsWindowVisible(prompt)) continue;
    const int tmpl = TemplateOf(prompt, CaptionOf(prompt));
    const Answer* answer = tmpl != 0 ? AnswerDialog(prompt, tmpl) : AnswerBox(prompt);
    if (answer == nullptr) {
      StopProgram(prompt);
      return;
    }
    SeenPrompts[prompt] = Seen{GetTickCount(), answer->isBox || !answer->actions.empty()};
    return;
  }
}

// Windows of other programs that a close answer names, with when the robot
// first saw each: a person takes a second to see a window and close it.
std::map<HWND, DWORD> ShownWindows;

BOOL CALLBACK CloseIfAnswered(HWND window, LPARAM) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == OwnProcess || !IsWindowVisible(window)) return TRUE;
  const std::string title = CaptionOf(window);
  if (FindCloseAnswer(Answers, title) == nullptr) return TRUE;
  const DWORD now = GetTickCount();
  const DWORD since = ShownWindows.emplace(window, now).first->second;
  if (now - since < 1000) return TRUE;
  Answer* answer = FindCloseAnswer(Answers, title);
  answer->used = true;
  Write("close " + Quoted(title));
  PostMessageA(window, WM_CLOSE, 0, 0);
  return TRUE;
}

// The text after " -- " on the robot's own command line.
const char* CommandAfterDashes(const char* line) {
  const char* at = std::strstr(line, " -- ");
  return at != nullptr ? at + 4 : nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) return 2;
  Transcript = std::fopen(argv[2], "wb");
  if (Transcript == nullptr) return 2;
  std::string error;
  if (!ParseAnswers(ReadFile(argv[1]), Answers, error)) {
    Write(error);
    return 1;
  }
  ReadTemplates(ReadFile(argv[3]));
  OwnProcess = GetCurrentProcessId();

  const char* command = CommandAfterDashes(GetCommandLineA());
  if (command == nullptr) return 2;
  std::string commandLine = command;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    Write("cannot start " + commandLine);
    return 1;
  }
  CloseHandle(process.hThread);
  while (WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT) {
    WatchOnce();
    EnumWindows(CloseIfAnswered, 0);
  }
  CloseHandle(process.hProcess);
  for (const Answer& a : Answers)
    if (!a.used) {
      Write("unused answer " + a.line);
      Failed = true;
    }
  std::fclose(Transcript);
  return Failed ? 1 : 0;
}
