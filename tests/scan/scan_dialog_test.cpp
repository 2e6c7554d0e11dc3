// The scan dialog: its stages and icons, the memory stage's roads, the walk
// over the system areas and what it leaves in the registry.
#include <filesystem>

#include "frame/registry_layout.h"
#include "scan_fixtures.h"
#include "scan_test_util.h"

namespace {

using ScanDialog = ScanTest;

const std::vector<std::string> kStageLines = {"dialog 143: 101", "dialog 143: repaint",
                                              "library", "sleep", "box", "window \"Setup\"",
                                              "dialog 143 ends"};

void SetVirusFound(sim::Machine& machine) {
  machine.WriteRegistry(port::HkeyCurrentUser, "Software\\Brackwell\\Zelvane", kVirusFoundValue,
                        "1");
}

// Each stage shows its icons (memory, boot record, system files, in that
// order) and repaints before it works; the repaints start nothing again.
TEST_F(ScanDialog, StagesOnWindows95) {
  MakeScanMachine();
  RunScanDialog();
  EXPECT_EQ(LinesStarting(kStageLines),
            (std::vector<std::string>{
                "dialog 143: 1016 icon 148", "dialog 143: 1017 icon 147",
                "dialog 143: 1018 icon 147", "dialog 143: repaint",
                "library C:\\ZV Setup\\ZVMSI32.DLL: loaded",
                "dialog 143: 1016 icon 145", "dialog 143: 1017 icon 148",
                "dialog 143: 1018 icon 147", "dialog 143: repaint", "sleep 1500 ms",
                "dialog 143: 1015 shown",
                "dialog 143: 1016 icon 145", "dialog 143: 1017 icon 145",
                "dialog 143: 1018 icon 148", "dialog 143: repaint",
                "dialog 143: 1015 text \"C:\\COMMAND.COM\"",
                "dialog 143: 1015 text \"C:\\WINDOWS\\EXPLORER.EXE\"",
                "dialog 143: 1015 text \"C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL\"",
                "dialog 143: 1015 text \"C:\\WINDOWS\\COMMAND\\XCOPY.EXE\"",
                "dialog 143 ends with 1:"}));
  EXPECT_EQ(VirusFoundValue(), "(absent)");
}

// On Windows NT the memory stage shows nothing and loads no library.
TEST_F(ScanDialog, WindowsNtSkipsMemory) {
  MakeScanMachine(sim::MachineKind::WindowsNT);
  RunScanDialog();
  const std::vector<std::string> lines = LinesStarting(kStageLines);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4),
            (std::vector<std::string>{"dialog 143: 1016 icon 145", "dialog 143: 1017 icon 148",
                                      "dialog 143: 1018 icon 147", "dialog 143: repaint"}));
  EXPECT_EQ(LinesStarting({"library"}), std::vector<std::string>{});
  EXPECT_EQ(ScannedFiles(), (std::vector<std::string>{"C:\\WINNT\\SYSTEM32\\CMD.EXE",
                                                     "C:\\WINNT\\EXPLORER.EXE"}));
}

// A missing or broken memory-scan library, or a virus in memory, ends the
// installation: the "Setup" window is closed, no later stage runs and the
// registry value is left as it was.
TEST_F(ScanDialog, MemoryStageStopsTheInstallation) {
  const struct {
    const char* what;
    const char* library;  // null: no library file
    bool activeVirus;
    std::vector<std::string> box;
  } kCases[] = {
      {"missing", nullptr, false,
       {"box \"Error\" [OK] no icon, owner dialog 143: \"Couldnot load "
        "ZVMSI32.DLL.\\nAborting...\""}},
      {"without the export", "simulated library\r\nexport SomethingElse\r\n", false,
       {"box \"Error\" [OK] no icon, owner dialog 143: \"ZVMSI32.DLL is corrupt.\\nCannot "
        "proceed...\""}},
      {"virus in memory", "simulated library\r\nexport InitiateMemoryScan\r\n", true, {}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    machine_.reset();
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
    MakeScanMachine();
    if (c.library) PutFile("C:\\ZV Setup\\ZVMSI32.DLL", c.library);
    else std::filesystem::remove(folder_ + "/disk/C/ZV Setup/ZVMSI32.DLL");
    if (c.activeVirus) SetMachineIni("Memory", "ActiveVirus", "yes");
    SetVirusFound(Open());
    if (!c.box.empty()) Answer("box \"Error\" OK\n");
    RunScanDialog();
    EXPECT_EQ(LinesStarting({"box"}), c.box);
    EXPECT_EQ(LinesStarting({"sleep", "dialog 143: 1015"}), std::vector<std::string>{});
    EXPECT_EQ(LinesStarting({"window \"Setup\": WM_CLOSE", "dialog 143 ends"}),
              (std::vector<std::string>{"window \"Setup\": WM_CLOSE", "dialog 143 ends with 1:"}));
    EXPECT_EQ(VirusFoundValue(), "1");
  }
}

// An engine that does not start scans nothing and leaves the value alone;
// a clean walk removes the value an earlier run left.
TEST_F(ScanDialog, RegistryValueByEngineAndWalk) {
  MakeScanMachine();
  SetVirusFound(Open());
  RunScanDialog();
  EXPECT_EQ(VirusFoundValue(), "(absent)");

  PutFile(kIndexPath, "not an index");
  SetVirusFound(Open());
  RunScanDialog();
  EXPECT_EQ(VirusFoundValue(), "1");
  EXPECT_EQ(ScannedFiles().size(), 4u) << "only the first run scanned";
}

// Every infected file gets its own report and the walk goes on: the
// command interpreter in the Windows directory is scanned twice.
TEST_F(ScanDialog, WalkReportsEachInfectedFile) {
  MakeScanMachine();
  SetMachineIni("Environment 95", "COMSPEC", "C:\\WINDOWS\\COMMAND.COM");
  PutFile("C:\\WINDOWS\\COMMAND.COM", ComImage(0, {{3, kTopMarker}}));
  PutFile("C:\\WINDOWS\\infected.drv", ComImage(0, {{-6, kBottomMarker}}));
  PutFile("C:\\WINDOWS\\SYSTEM\\PE.DLL", PeImage({{kPeEntry, kPEMarker}}));
  PutFile("C:\\WINDOWS\\COMMAND\\POLY.OVR", ComImage(0, {{100, kPolyMarker}}));
  RunScanDialog(5);
  EXPECT_EQ(Reports(), (std::vector<std::string>{
                           "Scan.Top in C:\\WINDOWS\\COMMAND.COM",
                           "Scan.Top in C:\\WINDOWS\\COMMAND.COM",
                           "Scan.Bottom in C:\\WINDOWS\\INFECTED.DRV",
                           "Scan.PE in C:\\WINDOWS\\SYSTEM\\PE.DLL",
                           "Scan.Poly in C:\\WINDOWS\\COMMAND\\POLY.OVR"}));
  EXPECT_EQ(ScannedFiles(), (std::vector<std::string>{
                                "C:\\WINDOWS\\COMMAND.COM", "C:\\WINDOWS\\COMMAND.COM",
                                "C:\\WINDOWS\\EXPLORER.EXE", "C:\\WINDOWS\\INFECTED.DRV",
                                "C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL", "C:\\WINDOWS\\SYSTEM\\PE.DLL",
                                "C:\\WINDOWS\\COMMAND\\POLY.OVR",
                                "C:\\WINDOWS\\COMMAND\\XCOPY.EXE"}));
  EXPECT_EQ(VirusFoundValue(), "1");
}

// Only executable extensions are scanned, in any case; subdirectories of
// the walked directories are not entered.
TEST_F(ScanDialog, WhichFilesTheWalkScans) {
  MakeScanMachine();
  PutFile("C:\\WINDOWS\\MSDOS.SYS", "x");
  PutFile("C:\\WINDOWS\\SYSTEM\\Msdos.sys", "x");
  PutFile("C:\\WINDOWS\\SETUP.EXE1", "x");
  PutFile("C:\\WINDOWS\\COMMAND\\COMMAND", "x");
  PutFile("C:\\WINDOWS\\SYSTEM\\IOSUBSYS\\DISK.DRV", "x");
  PutFile("C:\\WINDOWS\\TEMP\\TEMP.EXE", "x");
  RunScanDialog();
  EXPECT_EQ(ScannedFiles(), (std::vector<std::string>{
                                "C:\\COMMAND.COM", "C:\\WINDOWS\\EXPLORER.EXE",
                                "C:\\WINDOWS\\MSDOS.SYS", "C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL",
                                "C:\\WINDOWS\\SYSTEM\\MSDOS.SYS",
                                "C:\\WINDOWS\\COMMAND\\XCOPY.EXE"}));
}

}  // namespace
