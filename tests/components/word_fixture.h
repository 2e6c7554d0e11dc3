// A machine with Word installed as a user's installation leaves it, and
// the product's files in its install directory.
#pragma once

#include <string>

#include "frame/paths.h"
#include "frame/setup_state.h"
#include "preinstall/preinstall_fixture.h"

constexpr const char* kExtensionsKey = "Software|Microsoft|Windows|CurrentVersion|Extensions";
constexpr const char* kRunKey = "SOFTWARE|Microsoft|Windows|CurrentVersion|Run";
constexpr const char* kWinIni = "C:\\WINDOWS\\WIN.INI";

// Office 97 in its usual place, as its short names read.
constexpr const char* kOfficeWord = "C:\\Program Files\\Microsoft Office\\Office";
constexpr const char* kOfficeTemplates = "C:\\Program Files\\Microsoft Office\\Templates";
constexpr const char* kOfficeDoc = "C:\\PROGRA~1\\MICROS~1\\OFFICE\\WINWORD.EXE ^.doc";
// Word 6 on its own.
constexpr const char* kWord6 = "C:\\WINWORD";
constexpr const char* kWord6Embedding =
    "Microsoft Word Document,Microsoft Word Document,C:\\WINWORD\\WINWORD.EXE,picture";

class WordTest : public PreinstallTest {
 protected:
  // Word as the machine's user installed it; before the machine is opened.
  void InstallOffice97() { sim::InstallWord(folder_, sim::WordKind::Word97); }
  void InstallWord6() { sim::InstallWord(folder_, sim::WordKind::Word6); }
  void SetWinIniEmbedding(const std::string& entry) {
    PutFile(kWinIni, "[windows]\r\nload=\r\nrun=\r\n\r\n[embedding]\r\nWordDocument=" + entry +
                         "\r\n");
  }
  // The product's files in its install directory C:\ZV.
  void PutProduct() {
    PutFile("C:\\ZV\\ZVFW.DOC", "installer document");
    PutFile("C:\\ZV\\ZVFW97.MAL", "protective template");
    PutFile("C:\\ZV\\ZVKEEP.EXE", "keeper");
  }
  static void AtInstallDir() { CopyText(InstallDir, sizeof InstallDir, "C:\\ZV\\"); }
  std::string File(const std::string& path) {
    std::string content;
    return ReadFile(path, content) ? content : "<missing>";
  }
};
