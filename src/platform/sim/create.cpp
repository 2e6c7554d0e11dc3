// Fresh machines: a Windows 95 one, a Windows NT one, or one that boots
// either, both on drive C: and sharing it.
#include <filesystem>

#include "platform/sim/files.h"
#include "platform/sim/sim.h"

namespace fs = std::filesystem;

namespace sim {
namespace {

void Put(const std::string& folder, const std::string& path, const std::string& text) {
  WriteHostFileAtomically(folder + "/disk/" + path, text);
}

void Folder(const std::string& folder, const std::string& path) {
  fs::create_directories(folder + "/disk/" + path);
}

void Windows95(const std::string& f, std::string& ini) {
  ini +=
      "[Windows 95]\r\nWindowsDir=C:\\WINDOWS\r\nComputerName=ZVTEST95\r\n\r\n"
      "[Environment 95]\r\nCOMSPEC=C:\\COMMAND.COM\r\n"
      "PATH=C:\\WINDOWS;C:\\WINDOWS\\COMMAND\r\n\r\n";
  Put(f, "C/COMMAND.COM", "simulated command interpreter\r\n");
  Put(f, "C/WINDOWS/WIN.INI", "[windows]\r\nload=\r\nrun=\r\n\r\n[embedding]\r\n");
  Put(f, "C/WINDOWS/SYSTEM.INI", "[boot]\r\nshell=Explorer.exe\r\n");
  Put(f, "C/WINDOWS/EXPLORER.EXE", "simulated shell\r\n");
  Put(f, "C/WINDOWS/SYSTEM/KERNEL32.DLL", "simulated system library\r\n");
  Put(f, "C/WINDOWS/COMMAND/XCOPY.EXE", "simulated command\r\n");
  Folder(f, "C/WINDOWS/TEMP");
}

void WindowsNT(const std::string& f, std::string& ini) {
  ini +=
      "[Windows NT]\r\nWindowsDir=C:\\WINNT\r\nComputerName=ZVTESTNT\r\n\r\n"
      "[Environment NT]\r\nCOMSPEC=C:\\WINNT\\system32\\cmd.exe\r\n"
      "PATH=C:\\WINNT\\system32;C:\\WINNT\r\n\r\n";
  Put(f, "C/WINNT/WIN.INI", "[windows]\r\nload=\r\nrun=\r\n\r\n[embedding]\r\n");
  Put(f, "C/WINNT/SYSTEM.INI", "[boot]\r\nshell=Explorer.exe\r\n");
  Put(f, "C/WINNT/explorer.exe", "simulated shell\r\n");
  Put(f, "C/WINNT/system32/cmd.exe", "simulated command interpreter\r\n");
  Put(f, "C/WINNT/system32/kernel32.dll", "simulated system library\r\n");
  Folder(f, "C/WINNT/SYSTEM");
  Folder(f, "C/TEMP");
}

void WriteFreshRegistry(const std::string& f, const std::string& system) {
  const std::string dir = f + "/registry/" + system;
  WriteHostFileAtomically(
      dir + "/HKEY_LOCAL_MACHINE.reg",
      "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\r\n"
      "\"ProgramFilesDir\"=\"C:\\\\Program Files\"\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall]\r\n\r\n");
  WriteHostFileAtomically(dir + "/HKEY_CURRENT_USER.reg",
                          "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\r\n");
  WriteHostFileAtomically(dir + "/HKEY_CLASSES_ROOT.reg",
                          "REGEDIT4\r\n\r\n[HKEY_CLASSES_ROOT\\exefile]\r\n\r\n");
}

}  // namespace

void CreateMachine(const std::string& folder, MachineKind kind) {
  if (folder.empty()) throw Error("no folder given for the machine");
  std::error_code ec;
  if (fs::exists(folder, ec) && (!fs::is_directory(folder, ec) || !fs::is_empty(folder, ec)))
    throw Error(folder + " exists and is not an empty folder");
  const bool has95 = kind != MachineKind::WindowsNT;
  const bool hasNT = kind != MachineKind::Windows95;
  std::string ini =
      "; A simulated machine for ZVSET: edit it freely. What runs do to its drives\r\n"
      "; and windows is kept in state.ini beside it; this file stays as written.\r\n"
      "[Machine]\r\nBoot=" + std::string(has95 ? "95" : "NT") +
      "\r\nScreenWidth=640\r\nScreenHeight=480\r\n\r\n";
  if (has95) Windows95(folder, ini);
  if (hasNT) WindowsNT(folder, ini);
  ini +=
      "; Where ZVSET.EXE runs from.\r\n[Program]\r\nModule=C:\\ZV Setup\\ZVSET.EXE\r\n\r\n"
      "; Drives that hold no disk: A=empty. The disk in disk/A/ goes in when an\r\n"
      "; answer says: box \"TITLE\" OK then insert \"A\" (then remove \"A\" takes it\r\n"
      "; out). Also: write-protected, unreadable (a diskette whose root cannot be\r\n"
      "; read), absent (no such drive).\r\n[Drives]\r\n\r\n"
      "; Other programs' top-level windows: closes (on WM_CLOSE) or stays (only\r\n"
      "; the user closes it: box \"TITLE\" OK then close \"WINDOW\").\r\n"
      "[Top Windows]\r\nSetup=closes\r\n\r\n"
      "; How started programs behave, by file name: ends; window \"TITLE\" (and\r\n"
      "; crashes after MS: it ends then, leaving the window);\r\n"
      "; uninstaller [leaves FILE...] (removes its folder's files, but those it\r\n"
      "; leaves, and the uninstall entries whose command starts it).\r\n"
      "[Programs]\r\n\r\n"
      "; A virus active in memory, which the memory-scan library finds: ActiveVirus=yes.\r\n"
      "[Memory]\r\n\r\n"
      "; ZVRESCUE.DLL's exports answer this instead of writing a diskette:\r\n"
      "; RescueCreate=-1, CreateEmergencyDisk=0. The rescue diskette reads the\r\n"
      "; hard disk's first sector from sectors/disk0.bin and C:'s from\r\n"
      "; sectors/C.bin; without them the system refuses the read.\r\n"
      "[Rescue Library]\r\n\r\n"
      "; The Nth operation of a kind that fails: open, read, write, rename, delete, registry;\r\n"
      "; N+ fails the Nth and every later one (write=1+ is a full disk).\r\n"
      "[Faults]\r\n";
  WriteHostFileAtomically(folder + "/machine.ini", ini);
  Put(folder, "C/AUTOEXEC.BAT", "@ECHO OFF\r\nPROMPT $p$g\r\n");
  Put(folder, "C/CONFIG.SYS", "FILES=40\r\n");
  Put(folder, "C/ZV Setup/ZVSET.EXE", "simulated ZVSET\r\n");
  // The memory-scan library beside the program, as the front end's source holds it.
  Put(folder, "C/ZV Setup/ZVMSI32.DLL", "simulated library\r\nexport InitiateMemoryScan\r\n");
  Folder(folder, "C/Program Files");
  Put(folder, "A/SETUP.EXE", "simulated setup front end\r\n");
  if (has95) WriteFreshRegistry(folder, "95");
  if (hasNT) WriteFreshRegistry(folder, "NT");
}

}  // namespace sim
