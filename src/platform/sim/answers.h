// The scripted user: an answer script says how every message box and dialog
// is answered. One answer a line, '#' starts a comment:
//
//   box "TITLE" BUTTON                  a message box, by its title
//   box "TITLE" "TEXT" BUTTON           ... by title and a part of its text
//   dialog ID ACTION...                 a dialog, by its template id
//   close "TITLE"                       while the program waits for other
//                                       programs, the user closes that window
//                                       of another program once it is shown
//
// BUTTON is OK, Cancel, Retry, Yes or No. A box answer may end in what the user
// does after pressing, in order: `then close "WINDOW"` closes that window of
// another program; `then insert "A"` puts the disk into that drive (one that
// machine.ini's [Drives] calls empty), so that a prompt for a disk can be
// answered once without it and then with it; `then remove "A"` takes it out
// (the drive is empty from then on).
// Dialog actions, done in order: set CONTROL "text", check CONTROL,
// uncheck CONTROL, press CONTROL (a click: WM_COMMAND with its id), escape.
// Strings take \" \\ \n \t escapes; any other is an error. Each answer is used
// once: a prompt takes the first unused answer that matches it; titles and
// texts match with their letter case.
#pragma once

#include <string>
#include <vector>

#include "platform/record.h"

namespace sim {

struct DialogAction {
  enum class Kind { Set, Check, Uncheck, Press, Escape } kind;
  int control = 0;
  std::string text;
};

struct Answer {
  enum class Kind { Box, Dialog, Close } kind = Kind::Box;
  int line = 0;
  std::string written;      // the line as the script has it
  std::string title, text;  // a box; a window to close
  int button = 0;           // a box: the result id
  std::string thenClose;    // a box: the window the user closes afterwards
  std::string thenInsert;   // a box: the drive the user puts the disk into afterwards
  std::string thenRemove;   // a box: the drive the user takes the disk out of afterwards
  int templateId = 0;       // a dialog
  std::vector<DialogAction> actions;
  bool used = false;
};

class Answers {
 public:
  // Throws Error naming the line of anything it cannot read.
  void Add(const std::string& text, const std::string& source);
  Answer* ForBox(const std::string& title, const std::string& text);
  // An unused box answer that would match but for letter case; null if none.
  const Answer* ForBoxIgnoringCase(const std::string& title, const std::string& text) const;
  std::vector<const Answer*> Unused() const;
  Answer* ForDialog(int templateId);
  Answer* ForClose(const std::string& title);

 private:
  std::vector<Answer> answers_;
};

// The id of a button word (OK, Cancel, Retry, Yes, No), 0 for none; and back.
int ButtonId(const std::string& word);
using record::ButtonWord;

}  // namespace sim
