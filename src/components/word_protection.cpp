// Installing the protective global template into Word: the road for Word 97,
// then the template's backup and the keeper that guards it at every log-on.
#include "components/word_older.h"
#include "components/word_protection.h"
#include "frame/paths.h"
#include "frame/setup_state.h"
#include "services/zvcfg/zvcfg.h"
#include "services/zvutil/zvutil.h"

namespace {

constexpr const char* kWord97Key = "SOFTWARE|Microsoft|Office|8.0|Word";
constexpr const char* kRunKey = "SOFTWARE|Microsoft|Windows|CurrentVersion|Run";

// `directory` + `name`, in short form when the file exists.
void PathIn(char* path, const char* directory, const char* name) {
  CopyText(path, kPathSize, directory);
  AppendName(path, kPathSize, name);
  ShortenInPlace(path, kPathSize);
}

// NORMAL.DOT of `directory` moves aside as NORMAL.ORG; one left by an
// earlier installation stays, as a rename never replaces a file.
void KeepOriginalTemplate(const char* directory) {
  char from[kPathSize], to[kPathSize];
  PathIn(from, directory, "NORMAL.DOT");
  PathIn(to, directory, "NORMAL.ORG");
  RenameFileStrict(from, to);
}

// Word 97 takes the product's template as its NORMAL.DOT. Nothing here is
// reported; a directory that cannot be found skips what needs it.
void InstallForWord97() {
  char word[kPathSize], templates[kPathSize];
  if (GetWordDirectory(word)) KeepOriginalTemplate(word);
  if (GetWordTemplateDirectory(templates)) {
    KeepOriginalTemplate(templates);
    char source[kPathSize], target[kPathSize];
    PathIn(source, InstallDir, "ZVFW97.MAL");
    PathIn(target, templates, "NORMAL.DOT");
    FileCopy(source, target, 1);
  }
  WordTemplateInstalled = 1;
  WordStageFinished = 1;
}

// The global template in force: the template directory's NORMAL.DOT, else
// the one in Word's own directory. False when there is none.
bool FindGlobalTemplate(char* path) {
  char directory[kPathSize];
  if (GetWordTemplateDirectory(directory)) {
    PathIn(path, directory, "NORMAL.DOT");
    if (FileExists(path)) return true;
  }
  if (!GetWordDirectory(directory)) return false;
  PathIn(path, directory, "NORMAL.DOT");
  return FileExists(path);
}

void BackupGlobalTemplate() {
  char global[kPathSize];
  if (!FindGlobalTemplate(global)) return;
  char backup[kPathSize];
  PathIn(backup, InstallDir, "ZVNORM.VOT");
  DeleteFileForced(backup);
  FileCopy(global, backup, 1);
  char record[kPathSize];
  PathIn(record, InstallDir, "ZVFW.INI");
  port::WriteProfileString(record, "WORD", "Global Template", global);
}

void RegisterTemplateKeeper() {
  char keeper[kPathSize];
  PathIn(keeper, InstallDir, "ZVKEEP.EXE");
  AddRegistryValue(port::HkeyLocalMachine, kRunKey, "ZVFW", keeper);
}

}  // namespace

int InstallWordProtection() {
  if (WantWordProtection == 0) return 0;
  if (IsRegistryKeyPresent(port::HkeyLocalMachine, kWord97Key)) InstallForWord97();
  else InstallForOlderWord();
  if (WordTemplateInstalled != 1) return 0;
  BackupGlobalTemplate();
  RegisterTemplateKeeper();
  return 1;
}
