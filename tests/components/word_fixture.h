// A machine with Word installed as a user's installation leaves it: the
// program and its global template in Word's folder, the templates' folder,
// the "doc" extension value, WIN.INI's embedding entry and, for Word 97,
// Office's key.
#pragma once

#include <string>

#include "frame/paths.h"
#include "frame/setup_state.h"
#include "preinstall/preinstall_fixture.h"

constexpr const char* kExtensionsKey = "Software|Microsoft|Windows|CurrentVersion|Extensions";
constexpr const char* kWord97Key = "SOFTWARE|Microsoft|Office|8.0|Word";
constexpr const char* kRunKey = "SOFTWARE|Microsoft|Windows|CurrentVersion|Run";
constexpr const char* kWinIni = "C:\\WINDOWS\\WIN.INI";

// Office 97 in its usual place, as its short names read.
constexpr const char* kOfficeWord = "C:\\Program Files\\Microsoft Office\\Office";
constexpr const char* kOfficeTemplates = "C:\\Program Files\\Microsoft Office\\Templates";
constexpr const char* kOfficeDoc = "C:\\PROGRA~1\\MICROS~1\\OFFICE\\WINWORD.EXE ^.doc";
// Word 6 on its own.
constexpr const char* kWord6 = "C:\\WINWORD";
constexpr const char* kWord6Templates = "C:\\WINWORD\\TEMPLATE";
constexpr const char* kWord6Embedding =
    "Microsoft Word Document,Microsoft Word Document,C:\\WINWORD\\WINWORD.EXE,picture";

class WordTest : public PreinstallTest {
 protected:
  // Word's folder with its program and NORMAL.DOT, and its templates' folder
  // with another NORMAL.DOT ("" for none).
  void PutWord(const std::string& folder, const std::string& templates) {
    PutFile(folder + "\\WINWORD.EXE", "word");
    PutFile(folder + "\\NORMAL.DOT", "word's own template");
    if (!templates.empty()) PutFile(templates + "\\NORMAL.DOT", "user template");
  }
  void InstallOffice97() {
    PutWord(kOfficeWord, kOfficeTemplates);
    SetReg(port::HkeyCurrentUser, kExtensionsKey, "doc", kOfficeDoc);
    SetReg(port::HkeyLocalMachine, kWord97Key, "", "");
  }
  void InstallWord6() {
    PutWord(kWord6, kWord6Templates);
    SetWinIniEmbedding(kWord6Embedding);
  }
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
