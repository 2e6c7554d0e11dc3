// What a rehearsal reports as changed: registry values and files compared
// by their meaning, with old and new values.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "machine_changes.h"

namespace {

TEST(MachineChanges, ValuesAndFilesAddedChangedAndRemoved) {
  rehearsal::MachineSnapshot before, after;
  const std::string key = "Windows 95 HKEY_LOCAL_MACHINE\\SOFTWARE\\Brackwell\\Zelvane";
  before.registry[key] = {{"CurrentVersion", "4.0"}, {"DataPath", "C:\\ZV\\"}, {"", "x"}};
  after.registry[key] = {{"CurrentVersion", "5.0"}, {"UninstPath", "u"}, {"", "x"}};
  before.registry[key + "\\4.0"] = {{"Company", "Old"}};
  after.registry[key + "\\5.0"] = {};
  // An INI file compared entry by entry, whatever its layout.
  before.files["C:\\ZV.INI"] = "[Path]\r\nZelvane=C:\\ZV\\\r\nWindows 95=C:\\WINDOWS\r\n";
  after.files["C:\\ZV.INI"] =
      "; kept\r\n[Path]\r\nWindows 95=C:\\WINDOWS\r\nZelvane=C:\\ZELVANE\\\r\n[OS]\r\nCurrent=1\r\n";
  // A text file line by line; a file with zero bytes only as changed.
  before.files["C:\\AUTOEXEC.BAT"] = "@ECHO OFF\r\nPROMPT $p$g\r\n";
  after.files["C:\\AUTOEXEC.BAT"] = "C:\\ZV\\ZVSTRUP.EXE\r\n@ECHO OFF\r\nPROMPT $p$g\r\n";
  before.files["C:\\ZV\\VIGARD.SYS"] = std::string("A\0B", 3);
  after.files["C:\\ZV\\VIGARD.SYS"] = std::string("A\0C", 3);
  before.files["C:\\ZV\\ZV95.EXE"] = "old";
  after.files["C:\\WINDOWS\\ZV32.INI"] = "[Info]\r\nType=2\r\n";

  const std::vector<std::string> expected = {
      "registry " + key + ": \"CurrentVersion\" changed: \"4.0\" -> \"5.0\"",
      "registry " + key + ": \"DataPath\" removed (was \"C:\\ZV\\\")",
      "registry " + key + ": \"UninstPath\" added: \"u\"",
      "registry " + key + "\\4.0: key removed",
      "registry " + key + "\\4.0: \"Company\" removed (was \"Old\")",
      "registry " + key + "\\5.0: key added",
      "file C:\\AUTOEXEC.BAT: changed",
      "  + C:\\ZV\\ZVSTRUP.EXE",
      "file C:\\WINDOWS\\ZV32.INI: added",
      "  [Info] Type = \"2\"",
      "file C:\\ZV.INI: changed",
      "  [OS] Current = \"1\"",
      "  [Path] Zelvane: \"C:\\ZV\\\" -> \"C:\\ZELVANE\\\"",
      "file C:\\ZV\\VIGARD.SYS: changed",
      "file C:\\ZV\\ZV95.EXE: removed",
  };
  EXPECT_EQ(rehearsal::CompareSnapshots(before, after), expected);
}

}  // namespace
