#include "components/diskettes.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "components/startup_components.h"
#include "frame/helpers.h"
#include "frame/paths.h"
#include "frame/setup_state.h"
#include "services/zvrescue/rescue.h"
#include "services/zvutil/zvutil.h"

namespace {

constexpr int kSelectDriveTemplate = 135;
constexpr int kRescueDoneTemplate = 165;
constexpr int kDriveText = 1025;
constexpr int kDriveA = 1005;
constexpr int kDriveB = 1006;
constexpr int kFullEdition = 3;
constexpr int kNoDrive = -1;
constexpr int kDriveNotReadySize = 132;  // the "Drive not ready" text's buffer
constexpr int kPromptSize = 160;

constexpr const char* kFullEditionDriveText =
    "Select the target drive for creating Emergency/ Rescue diskettes.  If you choose Cancel, "
    "you can create them after installation from within the Zelvane scanner.";
constexpr const char* kInsertRescueFormat =
    "Setup is now ready to create a Rescue diskette.\nInsert the diskette in drive %c and press "
    "OK to continue.";
constexpr const char* kInsertEmergencyFormat =
    "Setup is now ready to create an Emergency diskette.\nInsert the diskette in drive %c and "
    "press OK to continue.";
constexpr const char* kDriveNotReadyFormat =
    "Cannot read drive %c.\n\nPlease verify the drive door is closed and that\nthe disk is "
    "formatted and free of errors.";

char DriveLetter(int drive) { return static_cast<char>('A' + drive); }

void ShowError(const char* text) {
  port::ShowMessageBox(port::ActiveWindow(), text, "Error", port::mb::Ok);
}

void PromptForDiskette(const char* title, const char* format) {
  char text[kPromptSize];
  std::snprintf(text, sizeof text, format, DriveLetter(FloppyDrive));
  port::ShowMessageBox(0, text, title, port::mb::Ok);
}

bool DriveMadeReady() { return (MakeDriveReady(FloppyDrive) & 0xFFFF) == 1; }

// The rescue library in the install directory and one of its exports; a
// missing library or export is told to the user and gives null.
void* RescueExport(const char* name) {
  char path[kPathSize];
  CopyText(path, sizeof path, InstallDir);
  AppendName(path, sizeof path, kRescueLibrary);
  const port::Library library = port::LoadRuntimeLibrary(path);
  if (!library) {
    ShowError("Could not load ZVRESCUE.DLL.\nCall for technical support.");
    return nullptr;
  }
  void* function = port::LibraryExport(library, name);
  if (!function) ShowError("Invalid or corrupt ZVRESCUE.DLL.\nCan not proceed...");
  return function;
}

int DriveNumber(char letter) {
  return std::toupper(static_cast<unsigned char>(letter)) - 'A' + 1;
}

}  // namespace

void MakeDiskettes() {
  if (!WantRescueDisk && !WantEmergencyDisk) return;
  std::int16_t rescue = 0, emergency = 0;
  FloppyDrive = 0;
  while (FloppyDrive != kNoDrive) {
    FloppyDrive = static_cast<std::int16_t>(SelectDriveDialog());
    if (FloppyDrive == kNoDrive) return;
    if (WantRescueDisk && rescue == 0) {
      rescue = MakeRescueDiskette();
      if (rescue == -1) {
        rescue = 0;
        continue;
      }
    }
    if (WantEmergencyDisk && emergency == 0) {
      emergency = MakeEmergencyDiskette();
      if (emergency == 0) continue;
    }
    return;
  }
}

int SelectDriveDialog() {
  return static_cast<int>(
      port::RunModalDialog(ModuleInstance, kSelectDriveTemplate, 0, SelectDriveProc, 0));
}

std::intptr_t SelectDriveProc(port::Window dialog, unsigned message, std::uintptr_t wParam,
                              std::intptr_t) {
  switch (message) {
    case port::wm::InitDialog: {
      CentreWindow(dialog);
      const std::uint32_t drives = port::LogicalDrives();
      const bool driveA = (drives & 1) != 0, driveB = (drives & 2) != 0;
      if (driveA) port::SetItemCheck(dialog, kDriveA, port::Checked);
      else port::ShowItem(dialog, kDriveA, port::sw::Hide);
      if (driveB) {
        if (!driveA) port::SetItemCheck(dialog, kDriveB, port::Checked);
      } else {
        port::ShowItem(dialog, kDriveB, port::sw::Hide);
      }
      if (!driveA && !driveB) {
        port::ShowMessageBox(port::ActiveWindow(),
                             "No floppy drive detected to save rescue information.\nSetup "
                             "cannot save rescue information.",
                             "No Floppy Drive Detected", port::mb::Ok);
        port::EndModalDialog(dialog, kNoDrive);
        return 1;
      }
      if ((GetEditionType() & 0xFFFF) == kFullEdition)
        port::SetItemText(dialog, kDriveText, kFullEditionDriveText);
      return 1;
    }
    case port::wm::Command:
      if ((wParam & 0xFFFF) == port::id::Ok) {
        port::EndModalDialog(dialog, port::GetItemCheck(dialog, kDriveB) == port::Checked ? 1 : 0);
        return 1;
      }
      if ((wParam & 0xFFFF) == port::id::Cancel) {
        port::EndModalDialog(dialog, kNoDrive);
        return 1;
      }
      return 0;
    default:
      return 0;
  }
}

std::intptr_t RescueDoneDialog(port::Window dialog, unsigned message, std::uintptr_t wParam,
                               std::intptr_t) {
  switch (message) {
    case port::wm::InitDialog:
      CentreWindow(dialog);
      return 1;
    case port::wm::Command:
      // Escape and the close box leave the dialog open.
      if ((wParam & 0xFFFF) == port::id::Ok) port::EndModalDialog(dialog, 1);
      return 1;
    default:
      return 0;
  }
}

std::int16_t MakeRescueDiskette() {
  char saved[kPathSize];
  EnterInstallDir(saved);
  PromptForDiskette("Insert Rescue Diskette", kInsertRescueFormat);
  std::int16_t result = -1;
  if (DriveMadeReady()) {
    result = WriteRescueDiskette(FloppyDrive, 0, ModuleInstance);
    if (result == 1)
      port::RunModalDialog(ModuleInstance, kRescueDoneTemplate, 0, RescueDoneDialog, 0);
  }
  RestoreDirectory(saved);
  return result;
}

std::int16_t MakeEmergencyDiskette() {
  char saved[kPathSize];
  EnterInstallDir(saved);
  PromptForDiskette("Insert Emergency Diskette", kInsertEmergencyFormat);
  std::int16_t result = 0;
  if (DriveMadeReady())
    result = WriteEmergencyDiskette(FloppyDrive, port::ActiveWindow(), ModuleInstance);
  RestoreDirectory(saved);
  return result;
}

std::int16_t WriteRescueDiskette(int drive, std::int32_t reserved, port::Instance instance) {
  if (WaitForDrive(drive) == 2) return 0;
  // The old rescue information goes first, so that a diskette never holds
  // files of two machines or two days.
  for (const char* name : {":\\part.inf", ":\\boot.inf", ":\\cmos.inf"}) {
    char path[16];
    std::snprintf(path, sizeof path, "%c%s", DriveLetter(drive), name);
    DeleteFileForced(path);
  }
  const auto create = reinterpret_cast<RescueCreateProc>(RescueExport(kRescueCreateExport));
  if (!create) return 0;
  return static_cast<std::int16_t>(create(DriveLetter(drive), reserved, instance));
}

std::int16_t WriteEmergencyDiskette(int drive, port::Window owner, port::Instance instance) {
  const auto create = reinterpret_cast<EmergencyDiskProc>(RescueExport(kEmergencyDiskExport));
  if (!create) return 0;
  return static_cast<std::int16_t>(create(DriveLetter(drive), owner, instance));
}

int WaitForDrive(int drive) {
  while (!ProbeDrive(drive)) {
    char text[kDriveNotReadySize];
    std::snprintf(text, sizeof text, kDriveNotReadyFormat, DriveLetter(drive));
    if (port::ShowMessageBox(port::ActiveWindow(), text, "Drive not ready",
                             port::mb::RetryCancel | port::mb::IconExclamation) == port::id::Cancel)
      return 2;
  }
  return 1;
}

int ProbeDrive(int drive) {
  const unsigned previous = port::SetErrorModeTo(port::SemFailCriticalErrors);
  char root[] = "k:\\.";
  root[0] = DriveLetter(drive);
  const bool readable = FileExists(root);
  port::SetErrorModeTo(previous);
  return readable ? 1 : 0;
}

void EnterInstallDir(char* saved) {
  char dir[kPathSize];
  CopyText(dir, sizeof dir, InstallDir);
  const std::size_t length = std::strlen(dir);
  if (length > 3 && dir[length - 1] == '\\') dir[length - 1] = '\0';  // C:\ keeps its own
  saved[0] = '\0';
  port::CurrentDirectory(saved, kPathSize);
  port::ChangeDrive(DriveNumber(dir[0]));
  port::ChangeDirectory(dir);
}

void RestoreDirectory(const char* saved) {
  port::ChangeDrive(DriveNumber(saved[0]));
  port::ChangeDirectory(saved);
}
