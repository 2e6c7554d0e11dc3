// The dialog templates of the program's resource script, read from the same
// res/zvset.rc that the Windows build compiles in.
#pragma once

#include <string>
#include <vector>

namespace sim {

struct ControlTemplate {
  std::string kind;   // the statement: LTEXT, EDITTEXT, DEFPUSHBUTTON, ICON, CONTROL ...
  std::string klass;  // Static, Edit, Button
  std::string text;   // for ICON: the icon's id
  int id = -1;
  int x = 0, y = 0, width = 0, height = 0;
  std::vector<std::string> styles;  // "NOT X" is kept as "-X"
  bool HasStyle(const std::string& style) const;
  bool IsCheckBox() const;
  bool IsRadioButton() const;
};

struct DialogTemplate {
  int id = 0;
  std::string caption;
  int x = 0, y = 0, width = 0, height = 0;
  std::vector<std::string> styles, exStyles;
  int fontSize = 0;
  std::string fontName;
  std::vector<ControlTemplate> controls;
  bool HasStyle(const std::string& style) const;
};

struct ResourceScript {
  std::vector<DialogTemplate> dialogs;
  std::vector<int> icons;
  const DialogTemplate* Dialog(int id) const;
};

// Reads the dialog and icon statements; throws Error naming a line it cannot read.
ResourceScript ParseResourceScript(const std::string& text);
// The program's own script, embedded in the simulator.
const ResourceScript& ProgramResources();

}  // namespace sim
