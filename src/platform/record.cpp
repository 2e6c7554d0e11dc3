// The lines of the record, the same on both backends.
#include "platform/record.h"

namespace record {
namespace {

// Appends C as it is when it is printable ASCII, else as \xHH.
void AppendShown(std::string& out, char c) {
  static const char kHex[] = "0123456789abcdef";
  const unsigned char u = static_cast<unsigned char>(c);
  if (u >= 0x20 && u < 0x7f) {
    out += c;
  } else {
    out += "\\x";
    out += kHex[u >> 4];
    out += kHex[u & 0xf];
  }
}

// Writes a line whose unquoted parts (file names, key paths, sections) may
// come from input, so that nothing a name holds can end the line or forge
// another. Quoted parts are escaped already and pass unchanged.
void Out(const std::string& line) {
  std::string shown;
  for (const char c : line) AppendShown(shown, c);
  Emit(shown);
}

std::string ButtonsOf(unsigned type) {
  switch (type & 0xF) {
    case port::mb::OkCancel: return "OK Cancel";
    case port::mb::YesNoCancel: return "Yes No Cancel";
    case port::mb::YesNo: return "Yes No";
    case port::mb::RetryCancel: return "Retry Cancel";
    default: return "OK";
  }
}

const char* IconOf(unsigned type) {
  switch (type & 0xF0) {
    case port::mb::IconHand: return "stop";
    case port::mb::IconQuestion: return "question";
    case port::mb::IconExclamation: return "exclamation";
    case port::mb::IconInformation: return "information";
    default: return "no icon";
  }
}

std::string Title(port::Window window) {
  char title[256];
  port::WindowTitle(window, title, sizeof title);
  return title;
}

std::string DialogName(int templateId) { return "dialog " + std::to_string(templateId); }

// A dialog by its template, any other window by its title.
std::string WindowName(port::Window window) {
  if (const int id = DialogTemplateOf(window)) return DialogName(id);
  return "window " + Quote(Title(window));
}

std::string OwnerName(port::Window owner) {
  if (!owner) return "no owner";
  if (const int id = DialogTemplateOf(owner)) return "owner " + DialogName(id);
  const std::string title = Title(owner);
  if (title.empty()) return "owner unknown window";
  return "owner window " + Quote(title);
}

std::string Describe(const Control& c) {
  std::string line = "  " + (c.id == -1 ? std::string("-") : std::to_string(c.id)) + " " + c.kind;
  if (c.kind == "ICON") line += " icon " + std::to_string(c.icon);
  else line += " " + Quote(c.text);
  if (c.checkable) line += c.check == port::Checked ? " checked" : " unchecked";
  if (!c.visible) line += " hidden";
  if (!c.enabled) line += " disabled";
  return line;
}

// A line about one control of an open dialog; none for another window.
void ItemLine(port::Window dialog, int controlId, const std::string& what) {
  if (const int id = DialogTemplateOf(dialog))
    Out(DialogName(id) + ": " + std::to_string(controlId) + what);
}

std::string ValueName(const std::string& name) {
  return name.empty() ? std::string("(default)") : Quote(name);
}

}  // namespace

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: AppendShown(out, c);
    }
  }
  return out + "\"";
}

const char* ButtonWord(int id) {
  switch (id) {
    case port::id::Ok: return "OK";
    case port::id::Cancel: return "Cancel";
    case port::id::Retry: return "Retry";
    case port::id::Yes: return "Yes";
    case port::id::No: return "No";
    default: return "?";
  }
}

std::string KeyName(std::uint32_t root, const std::string& path) {
  static const char* const kRoots[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                       "HKEY_LOCAL_MACHINE", "HKEY_USERS"};
  std::string name = root >= port::HkeyClassesRoot && root <= port::HkeyClassesRoot + 3
                         ? kRoots[root - port::HkeyClassesRoot]
                         : "HKEY " + std::to_string(root);
  if (!path.empty()) name += "\\" + path;
  return name;
}

std::string RunStarts(const char* argumentText, int systemKind) {
  const std::string line = std::string("zvset ") + Quote(argumentText ? argumentText : "") +
                           " on Windows " + (systemKind == 1 ? "95" : "NT");
  Out(line);
  return line;
}

std::string RunEnds(int exitCode) {
  const std::string line = "exit code " + std::to_string(exitCode);
  Out(line);
  return line;
}

void SystemRestarts() { Out("Windows restarts"); }

void BoxShown(port::Window owner, const char* text, const char* title, unsigned type) {
  Out("box " + Quote(title) + " [" + ButtonsOf(type) + "] " + IconOf(type) + ", " +
       OwnerName(owner) + ": " + Quote(text));
}

void BoxAnswered(int button) { Out(std::string("  user presses ") + ButtonWord(button)); }

void DialogOpens(int templateId, const std::string& caption, port::Window owner,
                 const std::vector<Control>& controls) {
  Out(DialogName(templateId) + " " + Quote(caption) + " opens, " + OwnerName(owner) + ":");
  for (const Control& c : controls) Out(Describe(c));
}

void DialogEnds(int templateId, std::intptr_t result, const std::vector<Control>& controls) {
  Out(DialogName(templateId) + " ends with " + std::to_string(result) + ":");
  for (const Control& c : controls)
    if (c.editable || c.checkable) Out(Describe(c));
}

void ItemText(port::Window dialog, int controlId, const char* text) {
  ItemLine(dialog, controlId, " text " + Quote(text));
}

void ItemShown(port::Window dialog, int controlId, bool visible) {
  ItemLine(dialog, controlId, visible ? " shown" : " hidden");
}

void ItemEnabled(port::Window dialog, int controlId, bool enabled) {
  ItemLine(dialog, controlId, enabled ? " enabled" : " disabled");
}

void ItemIcon(port::Window dialog, int controlId, int iconId) {
  ItemLine(dialog, controlId, " icon " + std::to_string(iconId));
}

void Repainted(port::Window dialog) {
  if (const int id = DialogTemplateOf(dialog)) Out(DialogName(id) + ": repaint");
}

void HelpCalled(port::Window owner, const char* file, unsigned command, std::uintptr_t data) {
  std::string line = "help ";
  if (command == port::help::Context) line += "open " + Quote(file) + " at " + std::to_string(data);
  else if (command == port::help::Quit) line += "quit " + Quote(file);
  else line += "command " + std::to_string(command) + " " + Quote(file);
  Out(line + ", " + OwnerName(owner));
}

void WindowShown(port::Window window, bool visible) {
  Out(WindowName(window) + (visible ? ": show" : ": hide"));
}

void WindowForeground(port::Window window) { Out(WindowName(window) + ": foreground"); }

void WindowMessage(const std::string& title, unsigned message, bool ignored) {
  if (message == port::wm::Close)
    Out("window " + Quote(title) + ": WM_CLOSE" + (ignored ? " (ignored)" : ""));
  else Out("window " + Quote(title) + ": message " + std::to_string(message));
}

void WindowMoved(port::Window window, int left, int top, int width, int height, bool repaint) {
  Out(WindowName(window) + ": moved to " + std::to_string(left) + "," + std::to_string(top) +
       " (" + std::to_string(width) + "x" + std::to_string(height) + ")" +
       (repaint ? " and repainted" : ""));
}

void ProgramStarted(const std::string& program, const std::string& arguments, int showCommand,
                    bool wait) {
  Out("program " + Quote(program) + " " + Quote(arguments) + ": started" +
       (showCommand == port::sw::Hide ? " hidden" : "") + (wait ? ", waited for" : ""));
}

void ProgramNotStarted(const char* commandLine) {
  Out("program " + Quote(commandLine) + ": cannot be started");
}

void LibraryLoaded(const std::string& path) { Out("library " + path + ": loaded"); }

void LibraryNotLoaded(const char* fileName) {
  Out("library " + Quote(fileName) + ": cannot be loaded");
}

void Slept(unsigned milliseconds) { Out("sleep " + std::to_string(milliseconds) + " ms"); }

void DdeNoServer(const std::string& servicePair) {
  Out("dde " + Quote(servicePair) + ": no server answers");
}

void DdeExecuted(const std::string& servicePair, const std::string& command, bool done) {
  Out("dde " + Quote(servicePair) + ": execute " + Quote(command) + ": " +
       (done ? "done" : "failed"));
}

void KeyCreated(std::uint32_t root, const std::string& path) {
  Out("registry " + KeyName(root, path) + ": key created");
}

void KeyDeleted(std::uint32_t root, const std::string& path) {
  Out("registry " + KeyName(root, path) + ": key deleted");
}

void ValueSet(std::uint32_t root, const std::string& path, const std::string& name,
              const std::string& data) {
  Out("registry " + KeyName(root, path) + ": " + ValueName(name) + " = " + Quote(data));
}

void ValueDeleted(std::uint32_t root, const std::string& path, const std::string& name) {
  Out("registry " + KeyName(root, path) + ": " + ValueName(name) + " deleted");
}

void KeyLookedUp(std::uint32_t root, const std::string& path, long result) {
  if (!Verbose()) return;
  Out("registry " + KeyName(root, path) + ": looked up, " +
       (result == port::RegOk ? std::string("found") : "result " + std::to_string(result)));
}

void ValueRead(std::uint32_t root, const std::string& path, const char* name, long result,
               const char* data) {
  if (!Verbose()) return;
  Out("registry " + KeyName(root, path) + ": " + ValueName(name ? name : "") + " read, " +
       (result == port::RegOk && data ? Quote(data)
                                      : "result " + std::to_string(result)));
}

void FileWritten(const std::string& path) { Out("file " + path + ": written"); }

void FileDeleted(const std::string& path) { Out("file " + path + ": deleted"); }

void FileRenamed(const std::string& from, const std::string& to) {
  Out("file " + from + ": renamed to " + to);
}

void FileCopied(const std::string& to, const std::string& from) {
  Out("file " + to + ": copied from " + from);
}

void AttributesSet(const std::string& path, std::uint32_t attributes) {
  std::string names;
  const std::pair<std::uint32_t, const char*> bits[] = {
      {port::AttrReadOnly, "read-only"}, {port::AttrHidden, "hidden"},
      {port::AttrSystem, "system"},      {port::AttrArchive, "archive"},
      {port::AttrNormal, "normal"}};
  for (const auto& [bit, name] : bits)
    if (attributes & bit) names += std::string(names.empty() ? "" : " ") + name;
  Out("file " + path + ": attributes " + (names.empty() ? "none" : names));
}

void ProfileWritten(const std::string& path, const char* section, const char* key,
                    const char* value) {
  Out("profile " + path + " [" + section + "] " + key +
       (value ? " = " + Quote(value) : " deleted"));
}

void FileTested(const char* path, std::uint32_t attributes) {
  if (!Verbose()) return;
  std::string found = "not found";
  if (attributes != port::InvalidAttributes)
    found = attributes & port::AttrDirectory ? "a folder" : "a file";
  Out("file " + std::string(path) + ": looked up, " + found);
}

void ProfileRead(const char* file, const char* section, const char* key, const char* value,
                 bool found) {
  if (!Verbose()) return;
  Out(std::string("profile ") + file + " [" + section + "] " + key + " read, " +
       (found ? Quote(value) : "not found"));
}

}  // namespace record
