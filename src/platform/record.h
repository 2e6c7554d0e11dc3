// The record of what the program did through the port: one line for each
// action with its result. Both backends write their lines from here, so the
// simulator's transcript and the Windows build's log (ZVSET_LOG) read alike
// and can be compared line by line. Each backend says where the lines go
// (Emit) and whether lookups are recorded too (Verbose).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/port.h"

namespace record {

// ---- Defined by each backend ------------------------------------------------
// Writes one finished line. Never fails and never stops the run.
void Emit(const std::string& line);
// Whether lookups (registry reads, file tests, profile reads) are recorded.
bool Verbose();
// The template of the dialog open in `window`; 0 when it is not one.
int DialogTemplateOf(port::Window window);

// ---- Text ------------------------------------------------------------------------
// "text" with quotation marks and line breaks escaped (\" \n \r \t), and every
// other control character and byte outside printable ASCII as \xHH, so that
// any text stays on one line and none can forge another. Backslashes stand as
// they are: the record is full of Windows paths.
std::string Quote(const std::string& text);
// The name of a box button by its result: "OK", "Cancel"...; "?" for others.
const char* ButtonWord(int id);
// "HKEY_CURRENT_USER\Software\...".
std::string KeyName(std::uint32_t root, const std::string& path);

// ---- The run ---------------------------------------------------------------------
// The run's first and last lines; each is recorded and returned.
std::string RunStarts(const char* argumentText, int systemKind);
std::string RunEnds(int exitCode);
void SystemRestarts();

// ---- Boxes and dialogs ------------------------------------------------------------
void BoxShown(port::Window owner, const char* text, const char* title, unsigned type);
void BoxAnswered(int button);

// A control of a dialog as the person sees it.
struct Control {
  int id = -1;
  std::string kind;  // the template's statement: LTEXT, ICON, AUTOCHECKBOX...
  std::string text;
  int icon = 0;  // for ICON
  bool checkable = false, editable = false;
  unsigned check = port::Unchecked;
  bool visible = true, enabled = true;
};
// Every control when the dialog opens; when it ends, those that take input.
void DialogOpens(int templateId, const std::string& caption, port::Window owner,
                 const std::vector<Control>& controls);
void DialogEnds(int templateId, std::intptr_t result, const std::vector<Control>& controls);
// Changes the program makes to an open dialog's controls.
void ItemText(port::Window dialog, int controlId, const char* text);
void ItemShown(port::Window dialog, int controlId, bool visible);
void ItemEnabled(port::Window dialog, int controlId, bool enabled);
void ItemIcon(port::Window dialog, int controlId, int iconId);
void Repainted(port::Window dialog);
void HelpCalled(port::Window owner, const char* file, unsigned command, std::uintptr_t data);

// ---- Windows ------------------------------------------------------------------------
void WindowShown(port::Window window, bool visible);
void WindowForeground(port::Window window);
// A message sent to another program's window, named by the title it had;
// `ignored` when it had no effect.
void WindowMessage(const std::string& title, unsigned message, bool ignored);
void WindowMoved(port::Window window, int left, int top, int width, int height, bool repaint);

// ---- Programs, libraries, time ------------------------------------------------------
void ProgramStarted(const std::string& program, const std::string& arguments, int showCommand,
                    bool wait);
void ProgramNotStarted(const char* commandLine);
void LibraryLoaded(const std::string& path);
void LibraryNotLoaded(const char* fileName);
void Slept(unsigned milliseconds);
void DdeNoServer(const std::string& servicePair);
void DdeExecuted(const std::string& servicePair, const std::string& command, bool done);

// ---- Registry ------------------------------------------------------------------------
void KeyCreated(std::uint32_t root, const std::string& path);
void KeyDeleted(std::uint32_t root, const std::string& path);
void ValueSet(std::uint32_t root, const std::string& path, const std::string& name,
              const std::string& data);
void ValueDeleted(std::uint32_t root, const std::string& path, const std::string& name);
// Lookups, recorded when verbose: a key looked for, a value read.
void KeyLookedUp(std::uint32_t root, const std::string& path, long result);
void ValueRead(std::uint32_t root, const std::string& path, const char* name, long result,
               const char* data);

// ---- Files ------------------------------------------------------------------------------
void FileWritten(const std::string& path);
void FileDeleted(const std::string& path);
void FileRenamed(const std::string& from, const std::string& to);
void FileCopied(const std::string& to, const std::string& from);
void AttributesSet(const std::string& path, std::uint32_t attributes);
// `value` null: the entry was deleted.
void ProfileWritten(const std::string& path, const char* section, const char* key,
                    const char* value);
// Lookups, recorded when verbose.
void FileTested(const char* path, std::uint32_t attributes);
void ProfileRead(const char* file, const char* section, const char* key, const char* value,
                 bool found);

}  // namespace record
