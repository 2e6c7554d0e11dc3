// The answer script: the scripted user's answers to message boxes and
// dialogs, one per line, each used once.
//
//   box "TITLE" BUTTON                  OK, Cancel, Yes or No
//   box "TITLE" "TEXT-SUBSTRING" BUTTON
//   dialog ID ACTION...                 set CONTROL "text" | check CONTROL |
//                                       uncheck CONTROL | press CONTROL | escape
//   close "TITLE"                       closes another program's top-level
//                                       window of that title once it shows
//
// '#' starts a comment; strings are double-quoted with \" \\ and \n escapes.
#pragma once

#include <string>
#include <vector>

struct DialogAction {
  enum Kind { Set, Check, Uncheck, Press, Escape } kind;
  int control = 0;
  std::string text;
};

struct Answer {
  bool isBox = false;
  bool isClose = false;    // close: `title` is the window's
  std::string title;       // box
  std::string textPart;    // box, empty when any text matches
  int button = 0;          // box: the command id of the button
  int dialogId = 0;        // dialog: the template id
  std::vector<DialogAction> actions;
  std::string line;        // as written, for the transcript
  bool used = false;
};

// Reads a script; on a bad line returns false with `error` naming it.
bool ParseAnswers(const std::string& text, std::vector<Answer>& answers, std::string& error);

// The first unused answer for a box, or null.
Answer* FindBoxAnswer(std::vector<Answer>& answers, const std::string& title,
                      const std::string& text);
// The first unused answer that closes a window of this title, or null.
Answer* FindCloseAnswer(std::vector<Answer>& answers, const std::string& title);
// The first unused answer for a dialog, or null.
Answer* FindDialogAnswer(std::vector<Answer>& answers, int dialogId);

// A string as the script writes it, quotes and escapes included.
std::string Quoted(const std::string& text);
// The command id of a box button's name (OK, Cancel, Yes, No), 0 if unknown.
int ButtonId(const std::string& name);
const char* ButtonName(int id);
