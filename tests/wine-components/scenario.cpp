#include "scenario.h"

#include "components/shell_extensions.h"
#include "components/word_protection.h"
#include "frame/paths.h"
#include "frame/setup_state.h"
#include "services/zvcfg/zvcfg.h"

namespace {

constexpr std::uint32_t kClasses = port::HkeyClassesRoot;
constexpr const char* kRunKey = "SOFTWARE|Microsoft|Windows|CurrentVersion|Run";

void Put(const char* path, const std::string& text) {
  const port::File file = port::OpenFile(path, port::GenericWrite, 0, port::CreateAlways);
  if (file == port::InvalidFile) return;
  port::WriteTo(file, text.data(), static_cast<std::uint32_t>(text.size()));
  port::CloseFile(file);
}

std::string Read(const char* path) {
  const port::File file =
      port::OpenFile(path, port::GenericRead, port::ShareRead, port::OpenExisting);
  if (file == port::InvalidFile) return "(absent)";
  std::string text;
  char block[256];
  while (const std::uint32_t got = port::ReadFrom(file, block, sizeof block))
    text.append(block, got);
  port::CloseFile(file);
  return text;
}

std::string Value(std::uint32_t root, const char* key, const char* name) {
  char value[kPathSize] = "(absent)";
  GetRegValue(root, key, name, value, sizeof value);
  return std::string(key) + (name[0] ? " " + std::string(name) : "") + " = " + value + "\n";
}

std::string WordResult(int installed) {
  char global[kPathSize] = "";
  port::ReadProfileString("C:\\ZV\\ZVFW.INI", "WORD", "Global Template", "(absent)", global,
                          sizeof global);
  return "installed: " + std::to_string(installed) + "\nZVNORM.VOT: " +
         Read("C:\\ZV\\ZVNORM.VOT") + "\nGlobal Template: " + global + "\n" +
         Value(port::HkeyLocalMachine, kRunKey, "ZVFW") +
         "NORMAL.DOT: " + Read("C:\\WINWORD\\TEMPLATE\\NORMAL.DOT") + "\n";
}

}  // namespace

std::string WordBehaviour(const std::string& step) {
  if (step == "word-ends-early") return "word no-report ends-after 1500";
  if (step == "word-user-closes") return "word tip report-after 1500";
  return "word tip report-after 1500 document-closes-report-after 700";
}

void PrepareStep(const std::string& step) {
  if (step.rfind("word", 0) == 0) {
    // No keeper from an earlier step; Word 6 as its installation leaves it,
    // its program put there by the caller.
    DeleteRegistryValue(port::HkeyLocalMachine, kRunKey, "ZVFW");
    AddRegistryValue(port::HkeyCurrentUser, "Software|Microsoft|Windows|CurrentVersion|Extensions",
                     "doc", "C:\\WINWORD\\WINWORD.EXE ^.doc");
    Put("C:\\WINWORD\\TEMPLATE\\NORMAL.DOT", "user template");
    Put("C:\\ZV\\ZVFW.DOC", "installer document");
    Put("C:\\ZV\\ZVKEEP.EXE", "keeper");
  } else if (step == "shell") {
    AddRegistryKeyWithDefVal(kClasses, ".ZIP", "ArcType");
    DeleteRegistryKey(kClasses, "", ".ARJ");
  }
}

std::string RunStep(const std::string& step) {
  const port::Instance instance = ModuleInstance;
  ResetSetupState();
  ModuleInstance = instance;
  if (step == "dialog") {
    RunComponentsDialog();
    return "WantWordProtection: " + std::to_string(WantWordProtection) +
           "\nWantShellExtensions: " + std::to_string(WantShellExtensions) + "\n";
  }
  if (step.rfind("word", 0) == 0) {
    CopyText(InstallDir, sizeof InstallDir, "C:\\ZV\\");
    WantWordProtection = 1;
    return WordResult(InstallWordProtection());
  }
  if (step == "shell") {
    CopyText(InstallDir, sizeof InstallDir, "C:\\SCAN\\");
    WantShellExtensions = 1;
    InstallShellExtensions();
    std::string out;
    for (const char* type : {"comfile", "exefile", "Drive", "Directory", "ArcType", "zvcomp"})
      out += Value(kClasses, (std::string(type) + "|shell|Zelvane Scan|command").c_str(), "");
    return out + Value(kClasses, "exefile|shell|Zelvane Scan", "") + Value(kClasses, ".ARJ", "") +
           Value(kClasses, ".ZIP", "");
  }
  return "unknown step " + step + "\n";
}
