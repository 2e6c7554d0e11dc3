// The pictures of ZVSET's dialogs and message boxes. Brings up every dialog
// template and every message box of the program in each of its forms,
// through the program's own code wherever a call of it brings the window up
// (its texts, formats and dialog procedures), and saves a picture of each.
// A watcher thread takes the picture once the window is shown and idle,
// then leaves it as a person would: Cancel, No or OK, whichever it has
// first. Windows that a call brings up before the one pictured are left the
// same way without a picture.
//
// Usage: zvshots FOLDER
//   Takes the pictures of the system that Wine reports: the Windows 95 forms
//   when it reports Windows 95, every other picture otherwise. Writes
//   FOLDER\NAME.bmp for each, and FOLDER\index.txt with a line
//   "NUMBER<TAB>NAME<TAB>WHAT<TAB>WHERE" for each, NUMBER its place in the
//   catalogue below.
// Exit code: 0, or 1 when a window did not appear or its picture could not
// be written.
//
// The program lies in C:\zvtest with the program's DLLs but without the
// memory-scan library, whose absence is one of the pictures.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "components/diskettes.h"
#include "components/startup_components.h"
#include "components/word_older.h"
#include "components/word_messages.h"
#include "components/word_protection.h"
#include "frame/helpers.h"
#include "frame/paths.h"
#include "frame/records.h"
#include "frame/registry_layout.h"
#include "frame/setup_state.h"
#include "postinstall/end_setup.h"
#include "preinstall/decision_messages.h"
#include "preinstall/edition.h"
#include "preinstall/messages.h"
#include "preinstall/reconfigure.h"
#include "preinstall/setup_disk.h"
#include "scan/memory_stage.h"
#include "scan/virus_report.h"
#include "services/zvcfg/zvcfg.h"
#include "services/zvutil/zvutil.h"
#include "window_picture.h"

namespace {

// The folders the program's stages are pointed at, in C:\zvtest.
constexpr const char* kWorkDir = "C:\\zvtest\\shots-work";
constexpr const char* kEmptyDir = "C:\\zvtest\\shots-work\\empty\\";
constexpr const char* kDocumentDir = "C:\\zvtest\\shots-work\\document\\";
constexpr const char* kWrongLibraryDir = "C:\\zvtest\\shots-work\\wrong-library\\";
constexpr const char* kWordProgram = "C:\\zvtest\\shots-work\\word\\winword.exe";
// Drives A: and B:, made by the system's own device names.
constexpr const char* kFloppyA = "C:\\zvtest\\shots-work\\floppy-a";
constexpr const char* kFloppyB = "C:\\zvtest\\shots-work\\floppy-b";

void Mkdir(const char* path) { CreateDirectoryA(path, nullptr); }

void WriteText(const char* path, const char* text) {
  if (FILE* out = std::fopen(path, "wb")) {
    std::fputs(text, out);
    std::fclose(out);
  }
}

// A library of the system under the name of one of the product's: it loads,
// and lacks every export the program asks of it.
void PutWrongLibrary(const char* path) {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, sizeof system);
  lstrcatA(system, "\\version.dll");
  CopyFileA(system, path, FALSE);
}

void SetFloppies(bool a, bool b) {
  DefineDosDeviceA(DDD_REMOVE_DEFINITION, "A:", nullptr);
  DefineDosDeviceA(DDD_REMOVE_DEFINITION, "B:", nullptr);
  if (a) DefineDosDeviceA(0, "A:", kFloppyA);
  if (b) DefineDosDeviceA(0, "B:", kFloppyB);
}

void SetEdition(const char* type) {
  DeleteRegistryValue(port::HkeyCurrentUser, kUserVendorKey, kTypeValue);
  AddRegistryValue(port::HkeyCurrentUser, kUserVendorKey, kTypeValue, type);
}

// Word's program as the registry's "doc" extension names it; the file is
// there but is no program, so that Word cannot be started.
void SetWord(bool present) {
  constexpr const char* kExtensions = "Software|Microsoft|Windows|CurrentVersion|Extensions";
  DeleteRegistryValue(port::HkeyCurrentUser, kExtensions, "doc");
  if (!present) return;
  char value[MAX_PATH];
  std::snprintf(value, sizeof value, "%s ^.doc", kWordProgram);
  AddRegistryValue(port::HkeyCurrentUser, kExtensions, "doc", value);
}

// ---- The scan dialog at each of its stages -------------------------------
// The stage lines' icons as the scan sets them: 148 running, 145 done, 147
// waiting; the line of the file being scanned shows in the last stage.
struct ScanStage {
  int icons[3];
  const char* path;
};
constexpr ScanStage kMemoryStage{{148, 147, 147}, nullptr};
constexpr ScanStage kBootRecordStage{{145, 148, 147}, nullptr};
constexpr ScanStage kSystemFilesStage{{145, 145, 148}, "C:\\WINDOWS\\SYSTEM\\KRNL386.EXE"};

INT_PTR CALLBACK ScanStageDialog(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    CentreWindow(reinterpret_cast<port::Window>(dialog));
    const auto* stage = reinterpret_cast<const ScanStage*>(lParam);
    for (int line = 0; line < 3; ++line)
      SendDlgItemMessageA(dialog, 1016 + line, STM_SETICON,
                          reinterpret_cast<WPARAM>(LoadIconA(GetModuleHandleA(nullptr),
                                                             MAKEINTRESOURCEA(stage->icons[line]))),
                          0);
    if (stage->path != nullptr) {
      SetDlgItemTextA(dialog, 1015, stage->path);
      ShowWindow(GetDlgItem(dialog, 1015), SW_SHOW);
    }
    return TRUE;
  }
  if (message == WM_COMMAND) {
    EndDialog(dialog, 1);
    return TRUE;
  }
  return FALSE;
}

void ShowScanStage(const ScanStage& stage) {
  DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(143), nullptr, ScanStageDialog,
                  reinterpret_cast<LPARAM>(&stage));
}

// ---- The catalogue ------------------------------------------------------------
enum System { kAny, kOn95 };

struct Shot {
  const char* name;
  const char* caption;  // the window pictured
  System system;
  const char* what;
  const char* where;
  void (*show)();
};

void ShowBox(const char* text, const char* title, unsigned type) {
  port::ShowMessageBox(0, text, title, type);
}

const Shot kShots[] = {
    // "/initsetup": the decision before the copy.
    {"warning-other-anti-virus", kWarningTitle, kAny, "Message box \"Warning\"",
     "\"/initsetup\", before the pre-install scan, on every installation not started by the "
     "previous version's uninstaller",
     [] { ShowBox(kOtherAntiVirusText, kWarningTitle, kOtherAntiVirusType); }},
    {"oem-details", "Original Equipment Manufacturer's Address", kAny, "Dialog 142",
     "\"/initsetup\", when the copy is an OEM copy: the manufacturer's contact details",
     [] { RecordEdition("1", 0, 1, 0, ""); }},
    {"scan-memory", "Pre-Install Virus Scan", kAny, "Dialog 143, memory stage",
     "\"/initsetup\": the pre-install scan, scanning memory (Windows 95 only)",
     [] { ShowScanStage(kMemoryStage); }},
    {"scan-boot-record", "Pre-Install Virus Scan", kAny, "Dialog 143, boot record stage",
     "\"/initsetup\": the pre-install scan, scanning the master boot record",
     [] { ShowScanStage(kBootRecordStage); }},
    {"scan-system-files", "Pre-Install Virus Scan", kAny, "Dialog 143, system files stage",
     "\"/initsetup\": the pre-install scan, scanning system files, with the file being scanned",
     [] { ShowScanStage(kSystemFilesStage); }},
    {"error-memory-library-missing", "Error", kAny, "Message box \"Error\"",
     "\"/initsetup\", memory stage of the scan: the memory-scan library cannot be loaded; the "
     "installation stops",
     [] { ScanMemory(0); }},
    {"error-memory-library-corrupt", "Error", kAny, "Message box \"Error\"",
     "\"/initsetup\", memory stage of the scan: the memory-scan library lacks its entry; the "
     "installation stops",
     [] {
       PutWrongLibrary("C:\\zvtest\\ZVMSI32.DLL");
       ScanMemory(0);
     }},
    {"virus-found", "Virus Found", kAny, "Message box \"Virus Found\"",
     "\"/initsetup\", system files stage of the scan: a virus found in a file",
     [] { ReportVirus(16, kScanBottom, "C:\\WINDOWS\\COMMAND.COM", 0); }},
    {"already-installed", kAlreadyInstalledTitle, kAny, "Message box \"Zelvane already installed\"",
     "\"/initsetup\", after the scan: Zelvane is installed already; Yes removes it first, No "
     "installs over it",
     [] { ShowBox(kAlreadyInstalledText, kAlreadyInstalledTitle, kAlreadyInstalledType); }},
    {"installed-twice", kAbortingTitle, kAny, "Message box \"Aborting Setup\"",
     "\"/initsetup\": Zelvane is recorded on both Windows of a dual-boot machine; the "
     "installation stops",
     [] { ShowBox(kInstalledTwiceText, kAbortingTitle, kInstalledTwiceType); }},
    {"different-version", kAbortingTitle, kAny, "Message box \"Aborting Setup\"",
     "\"/initsetup\": another version of Zelvane is installed on the other Windows; the "
     "installation stops",
     [] {
       char text[kDifferentVersionSize];
       std::snprintf(text, sizeof text, kDifferentVersionFormat, OtherSystemName(),
                     OtherSystemName(), ThisSystemName());
       ShowBox(text, kAbortingTitle, kDifferentVersionType);
     }},
    {"reconfigure", kReconfigureTitle, kAny, "Message box \"Setup\"",
     "\"/initsetup\": the same version is installed on the other Windows; OK makes it usable "
     "on this one without a copy",
     [] { ReconfigureForThisSystem(); }},
    {"reconfigured", kReconfigureTitle, kAny, "Message box \"Setup\"",
     "\"/initsetup\", the end of the reconfiguration for the second Windows",
     [] { ShowBox(kInstalledText, kReconfigureTitle, port::mb::Ok | port::mb::IconInformation); }},
    // The removal of the previous version and the resume after a restart.
    {"scanner-running", kSetupTitle, kAny, "Message box \"Zelvane Setup\"",
     "\"/initsetup\", removing the previous version: its scanner is still open; shown until "
     "the user closes it",
     [] { ShowSetupMessage(kScannerRunningText, kScannerRunningType); }},
    {"reboot", kSetupTitle, kAny, "Message box \"Zelvane Setup\"",
     "\"/initsetup\", removing the previous version: its resident protection is loaded, "
     "Windows restarts",
     [] { ShowSetupMessage(kRebootText, kRebootType); }},
    {"not-uninstalled", kNotUninstalledTitle, kAny, "Message box \"Zelvane Setup\"",
     "\"/initsetup\": the previous version's uninstaller did not run; the installation stops",
     [] { ShowBox(kNotUninstalledText, kNotUninstalledTitle, kNotUninstalledType); }},
    {"no-previous-folder", kSetupTitle, kAny, "Message box \"Zelvane Setup\"",
     "\"/initsetup\": the previous version's uninstall command names no folder",
     [] { ShowSetupMessage(kNoPreviousDirText, kNoPreviousDirType); }},
    {"insert-setup-disk", kSetupTitle, kAny, "Message box \"Zelvane Setup\" (OK)",
     "\"/initsetup\", after the previous version is removed: setup disk 1 is not in its drive",
     [] { AskForSetupDisk("A:\\SETUP.EXE", port::mb::Ok); }},
    {"insert-setup-disk-cancel", kSetupTitle, kAny, "Message box \"Zelvane Setup\" (OK, Cancel)",
     "\"/runonce\", after the restart: setup disk 1 is not in its drive; Cancel gives up",
     [] { AskForSetupDisk("A:\\SETUP.EXE", port::mb::OkCancel); }},
    {"no-setup-folder", kSetupTitle, kAny, "Message box \"Zelvane Setup\"",
     "\"/runonce\", after the restart: the folder setup was started from is not known",
     [] { ShowSetupMessage(kNoSetupDirText, kNoSetupDirType); }},
    // "/endsetup" and the components after the copy.
    {"disinfect", kDisinfectTitle, kAny, "Message box \"Disinfect Your System\"",
     "\"/endsetup\", when the pre-install scan found a virus: the offer of a full scan",
     [] { ShowBox(kDisinfectText, kDisinfectTitle, port::mb::YesNo | port::mb::IconQuestion); }},
    {"startup-components-95", "Setup", kOn95, "Dialog 102 on Windows 95",
     "\"/endsetup\": the programs that start with Windows, and the rescue diskette",
     [] {
       SetEdition("1");
       RunStartupComponentsDialog();
     }},
    {"startup-components-nt", "Setup", kAny, "Dialog 102 on Windows NT",
     "\"/endsetup\" on Windows NT: the rescue diskette is made on Windows 95 only, its choice "
     "is grey",
     [] {
       SetEdition("1");
       RunStartupComponentsDialog();
     }},
    {"startup-components-full-95", "Setup", kOn95, "Dialog 103 on Windows 95",
     "\"/endsetup\" of the edition with the emergency diskette",
     [] {
       SetEdition("3");
       RunStartupComponentsDialog();
     }},
    {"startup-components-full-nt", "Setup", kAny, "Dialog 103 on Windows NT",
     "\"/endsetup\" of the edition with the emergency diskette, on Windows NT",
     [] {
       SetEdition("3");
       RunStartupComponentsDialog();
     }},
    {"no-floppy-drive", "No Floppy Drive Detected", kAny,
     "Message box \"No Floppy Drive Detected\"",
     "\"/endsetup\": a diskette is wanted and the machine has no diskette drive",
     [] {
       SetEdition("1");
       SetFloppies(false, false);
       SelectDriveDialog();
     }},
    {"select-drive-a", "Select Drive", kAny, "Dialog 135, drive A only",
     "\"/endsetup\": the drive for the rescue diskette, on a machine with one diskette drive",
     [] {
       SetEdition("1");
       SetFloppies(true, false);
       SelectDriveDialog();
     }},
    {"select-drive-ab", "Select Drive", kAny, "Dialog 135, drives A and B",
     "\"/endsetup\": the drive for the rescue diskette, on a machine with two diskette drives",
     [] {
       SetEdition("1");
       SetFloppies(true, true);
       SelectDriveDialog();
     }},
    {"select-drive-full", "Select Drive", kAny, "Dialog 135 of the edition with the emergency "
     "diskette",
     "\"/endsetup\": the drive for the emergency and rescue diskettes",
     [] {
       SetEdition("3");
       SetFloppies(true, true);
       SelectDriveDialog();
     }},
    {"insert-rescue-diskette", "Insert Rescue Diskette", kAny,
     "Message box \"Insert Rescue Diskette\"", "\"/endsetup\": before the rescue diskette is written",
     [] {
       FloppyDrive = 0;
       MakeRescueDiskette();
     }},
    {"insert-emergency-diskette", "Insert Emergency Diskette", kAny,
     "Message box \"Insert Emergency Diskette\"",
     "\"/endsetup\": before the emergency diskette is written",
     [] {
       FloppyDrive = 0;
       MakeEmergencyDiskette();
     }},
    {"drive-not-ready", "Drive not ready", kAny, "Message box \"Drive not ready\"",
     "\"/endsetup\": the diskette drive cannot be read; Retry or Cancel",
     [] {
       SetFloppies(false, false);
       WaitForDrive(0);
     }},
    {"error-rescue-library-missing", "Error", kAny, "Message box \"Error\"",
     "\"/endsetup\": the rescue library is not in the install folder",
     [] {
       CopyText(InstallDir, kPathSize, kEmptyDir);
       WriteEmergencyDiskette(0, 0, ModuleInstance);
     }},
    {"error-rescue-library-corrupt", "Error", kAny, "Message box \"Error\"",
     "\"/endsetup\": the rescue library lacks the entry the program calls",
     [] {
       CopyText(InstallDir, kPathSize, kWrongLibraryDir);
       WriteEmergencyDiskette(0, 0, ModuleInstance);
     }},
    {"rescue-disk-created", "Rescue Disk Created", kAny, "Dialog 165",
     "\"/endsetup\": the rescue diskette is written",
     [] { port::RunModalDialog(ModuleInstance, 165, 0, RescueDoneDialog, 0); }},
    {"schedule-scanner", "Schedule Zelvane Scanner", kAny,
     "Message box \"Schedule Zelvane Scanner\"",
     "\"/endsetup\": the offer to schedule scans at once; Yes opens the scheduler",
     [] { OfferScheduler(); }},
    {"word-missing", kWordMissingTitle, kAny, "Message box \"Warning\"",
     "\"/endsetup\", as the components dialog opens: Word cannot be found",
     [] {
       SetWord(false);
       RunComponentsDialog();
     }},
    {"components-no-word", "Select Components to Install", kAny, "Dialog 149 without Word",
     "\"/endsetup\": the components after the copy, on a machine without Word",
     [] {
       SetWord(false);
       RunComponentsDialog();
     }},
    {"components", "Select Components to Install", kAny, "Dialog 149",
     "\"/endsetup\": the components after the copy: Word macro-virus protection and the "
     "Explorer scan commands",
     [] {
       SetWord(true);
       RunComponentsDialog();
     }},
    {"word-document-missing", kInstallerDocMissingTitle, kAny, "Message box \"Setup Error\"",
     "\"/endsetup\", Word macro-virus protection for an older Word: its installer document is "
     "missing",
     [] {
       CopyText(InstallDir, kPathSize, kEmptyDir);
       InstallForOlderWord();
     }},
    {"word-not-started", kWordNotStartedTitle, kAny, "Message box \"Error\"",
     "\"/endsetup\", Word macro-virus protection for an older Word: Word cannot be started",
     [] {
       SetWord(true);
       CopyText(InstallDir, kPathSize, kDocumentDir);
       InstallForOlderWord();
     }},
};

// ---- The watcher ------------------------------------------------------------
DWORD MainThread = 0;
std::string Folder;
std::atomic<const Shot*> Current{nullptr};
std::atomic<bool> Taken{false}, Failed{false}, Finished{false};

BOOL CALLBACK FirstShownDialog(HWND window, LPARAM found) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  if (!IsWindowVisible(window) || std::strcmp(name, "#32770") != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

bool Idle(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, &result) != 0;
}

// Leaves the window by its first button of Cancel, No and OK; a dialog
// without buttons gets OK.
void Leave(HWND window) {
  int button = IDOK;
  for (int id : {IDCANCEL, IDNO, IDOK})
    if (GetDlgItem(window, id) != nullptr) {
      button = id;
      break;
    }
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(window, button)));
}

void TakePicture(HWND window, const Shot& shot) {
  // Active, as the window a person is answering is; the caption is drawn
  // so even where the system has not made it the foreground window.
  SetForegroundWindow(window);
  SendMessageA(window, WM_NCACTIVATE, TRUE, 0);
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Idle(window);
  Sleep(200);
  const std::string path = Folder + "\\" + shot.name + ".bmp";
  if (!SaveWindowPicture(window, path.c_str())) {
    std::fprintf(stderr, "%s: the picture could not be written\n", shot.name);
    Failed = true;
  }
}

DWORD WINAPI Watch(void*) {
  std::map<HWND, DWORD> firstSeen;
  while (!Finished) {
    Sleep(50);
    HWND window = nullptr;
    EnumThreadWindows(MainThread, FirstShownDialog, reinterpret_cast<LPARAM>(&window));
    if (window == nullptr || !Idle(window)) continue;
    // A window gets a moment to paint itself as a person would see it.
    const DWORD now = GetTickCount();
    if (now - firstSeen.emplace(window, now).first->second < 300) continue;
    char caption[256] = "";
    GetWindowTextA(window, caption, sizeof caption);
    const Shot* shot = Current;
    if (shot != nullptr && !Taken && std::strcmp(caption, shot->caption) == 0) {
      TakePicture(window, *shot);
      Taken = true;
    }
    Leave(window);
    for (int wait = 0; wait < 100 && IsWindow(window) && IsWindowVisible(window); ++wait)
      Sleep(20);
  }
  return 0;
}

void PrepareFolders() {
  Mkdir(kWorkDir);
  for (const char* dir : {kEmptyDir, kDocumentDir, kWrongLibraryDir}) Mkdir(dir);
  Mkdir("C:\\zvtest\\shots-work\\word");
  Mkdir(kFloppyA);
  Mkdir(kFloppyB);
  WriteText(kWordProgram, "not a program\r\n");
  std::string document = std::string(kDocumentDir) + "ZVFW.DOC";
  WriteText(document.c_str(), "the installer document\r\n");
  std::string library = std::string(kWrongLibraryDir) + "ZVRESCUE.DLL";
  PutWrongLibrary(library.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  Folder = argv[1];
  ResetSetupState();
  ModuleInstance = reinterpret_cast<port::Instance>(GetModuleHandleA(nullptr));
  GetWindowsDirWithSlash(InfoIniPath, sizeof InfoIniPath);
  AppendName(InfoIniPath, sizeof InfoIniPath, kInfoRecordName);
  CopyText(InstallDir, kPathSize, kEmptyDir);
  PrepareFolders();
  const bool windows95 = GetOS() == 1;

  std::string indexPath = Folder + "\\index.txt";
  FILE* index = std::fopen(indexPath.c_str(), "ab");
  if (index == nullptr) return 1;
  MainThread = GetCurrentThreadId();
  HANDLE watcher = CreateThread(nullptr, 0, Watch, nullptr, 0, nullptr);
  int number = 0;
  for (const Shot& shot : kShots) {
    ++number;
    if ((shot.system == kOn95) != windows95) continue;
    Taken = false;
    Current = &shot;
    shot.show();
    Current = nullptr;
    if (!Taken) {
      std::fprintf(stderr, "%s: the window \"%s\" did not appear\n", shot.name, shot.caption);
      Failed = true;
      continue;
    }
    std::fprintf(index, "%02d\t%s\t%s\t%s\n", number, shot.name, shot.what, shot.where);
  }
  Finished = true;
  WaitForSingleObject(watcher, 5000);
  std::fclose(index);
  SetFloppies(false, false);
  return Failed ? 1 : 0;
}
