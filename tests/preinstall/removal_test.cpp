// Closing the product's programs, the restart that removes the resident
// protection, and the removal of the previous version by its uninstaller.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "frame/registry_layout.h"
#include "frame/setup_state.h"
#include "preinstall/handover.h"
#include "preinstall/preinstall_fixture.h"
#include "preinstall/previous_version.h"
#include "preinstall/product_programs.h"
#include "preinstall/setup_disk.h"

namespace {

constexpr std::uint32_t kLocal = port::HkeyLocalMachine;
const char* const kVersionKey50 = "SOFTWARE|Brackwell|Zelvane|5.0";
const char* const kSavedCommand = "C:\\WINDOWS\\UNINST.EXE -f\"C:\\ZV\\DeIsL1.isu\"";
const char* const kScannerBox =
    "box \"Zelvane Setup\" [OK] information, no owner: \"Zelvane is currently running.\\n"
    "Zelvane Setup will not be able to\\nproceed till Zelvane is running.\\n\\n"
    "Close the application to continue with the setup.\"";

class RemovalTest : public PreinstallTest {
 protected:
  // The previous installation in C:\ZV with its uninstaller, which behaves
  // as `uninstaller` says.
  void MakePreviousInstallation(const std::string& uninstaller, bool withUninstaller = true) {
    Make();
    for (const char* file : {"ZV32.EXE", "ZV95.EXE", "ZV.INX"}) PutFile(std::string("C:\\ZV\\") + file, "x");
    if (withUninstaller) PutFile("C:\\ZV\\ZVUINST.EXE", "previous uninstaller");
    SetMachineIni("Programs", "ZVUINST.EXE", uninstaller);
  }
  // Its records; the machine is open from here on.
  void RecordPreviousInstallation() {
    SetReg(kLocal, kVendorKey, kUninstPathValue, kSavedCommand);
    SetReg(kLocal, kUninstallKey, kUninstallStringValue, "C:\\ZV\\zvuinst.exe");
  }
  void Fresh() {
    machine_.reset();
    std::filesystem::remove_all(folder_);
  }
  bool Exists(const std::string& path) {
    return std::filesystem::exists(Open().HostPath(path));
  }
};

TEST_F(RemovalTest, RestartCycleAcrossItsThreeRuns) {
  MakePreviousInstallation("uninstaller");
  SetMachineIni("Top Windows", "Zelvane On-Line Protection", "stays");
  SetMachineIni("Top Windows", "ZVTileWindow", "stays");
  SetMachineIni("Top Windows", "Zelvane ToolBar", "closes");
  SetMachineIni("Top Windows", "ZV Scheduler", "closes");
  SetMachineIni("Programs", "VIGARD.EXE", "window \"Zelvane On-Line Protection\"");
  PutFile("C:\\ZV\\VIGARD.EXE", "resident protection");
  RecordPreviousInstallation();
  SetReg(kLocal, kRunKey, kRunOnlineProtection, "C:\\ZV\\VIGARD.EXE");
  SetReg(port::HkeyCurrentUser, kUserVendorKey, kTempCurrentVersionValue, "5.0");
  Answer("box \"Zelvane Setup\" \"currently running\" OK then close \"ZVTileWindow\"\n"
         "box \"Zelvane Setup\" \"reboot\" OK\n");

  // Run 1, "/initsetup": the programs are closed and Windows restarts.
  sim::RunResult run = Stage([] {
    CloseProductPrograms("A:\\");
    ADD_FAILURE() << "the restart ends the run";
  });
  EXPECT_EQ(run.ending, sim::RunResult::Ending::Restarted);
  const std::string first = Transcript();
  EXPECT_EQ(Count("window \"Zelvane ToolBar\": WM_CLOSE"), 1) << first;
  EXPECT_EQ(Count("window \"ZV Scheduler\": WM_CLOSE"), 1);
  EXPECT_EQ(Count(kScannerBox), 1);
  EXPECT_EQ(Count("box \"Zelvane Setup\" [OK] information, no owner: \"Zelvane Setup will now "
                  "reboot the system to remove Online Protection.\""),
            1);
  EXPECT_EQ(Reg(kLocal, kVersionKey50, kCalledFromInstallValue), "1");
  EXPECT_EQ(Reg(kLocal, kVersionKey50, kSetupDrvValue), "A:\\");
  // The module's directory as the system reports it: long, with its blank.
  EXPECT_EQ(Reg(kLocal, kRunOnceKey, kRunOnceInstallation), "C:\\ZV Setup\\zvset.exe /runonce");
  EXPECT_EQ(Reg(kLocal, kRunKey, kRunOnlineProtection), "<none>");

  // Run 2, "/runonce" from the RunOnce entry, which Windows deletes first.
  run = Open().Boot();
  EXPECT_EQ(run.ending, sim::RunResult::Ending::Exited);
  const std::string second = Transcript().substr(first.size());
  EXPECT_NE(second.find("program \"C:\\ZV Setup\\ZVSET.EXE\" \"/runonce\": started"),
            std::string::npos) << second;
  EXPECT_NE(second.find("program \"A:\\SETUP.EXE\" \"\": started"), std::string::npos);
  EXPECT_EQ(second.find("box "), std::string::npos);
  EXPECT_EQ(Reg(kLocal, kRunOnceKey, kRunOnceInstallation), "<none>");
  EXPECT_EQ(Reg(kLocal, kVersionKey50, kCalledFromInstallValue), "1");
  EXPECT_EQ(Reg(kLocal, kVersionKey50, kSetupDrvValue), "A:\\");

  // Run 3, "/initsetup" again from the front end, on the remove-first road:
  // the protection did not start again, so there is no second restart.
  const std::size_t before = Transcript().size();
  run = Stage([] {
    EXPECT_EQ(IsCalledFromInstall(), 1);
    ClearCalledFromInstall();
    CloseProductPrograms("A:\\");
    SetCalledFromInstall();
    EXPECT_EQ(RunPreviousUninstaller(), 1);
    ClearCalledFromInstall();
    WaitForSetupDisk("A:\\");
  });
  EXPECT_EQ(run.ending, sim::RunResult::Ending::Exited);
  EXPECT_EQ(Transcript().find("box ", before), std::string::npos) << Transcript().substr(before);
  EXPECT_FALSE(Exists("C:\\ZV\\ZV95.EXE"));
  EXPECT_FALSE(KeyExists(kLocal, kUninstallKey));
  EXPECT_EQ(Reg(kLocal, kVersionKey50, kCalledFromInstallValue), "<none>");
  EXPECT_FALSE(Open().RestartPending());
}

TEST_F(RemovalTest, ScannerMessageUntilTheUserClosesItAndNothingWrittenWithoutProtection) {
  Make();
  SetMachineIni("Top Windows", "ZVTileWindow", "stays");
  SetMachineIni("Top Windows", "Zelvane ToolBar", "closes");
  SetMachineIni("Top Windows", "ZV Scheduler", "closes");
  Answer("box \"Zelvane Setup\" \"currently running\" OK\n"
         "box \"Zelvane Setup\" \"currently running\" OK\n"
         "box \"Zelvane Setup\" \"currently running\" OK then close \"ZVTileWindow\"\n");
  const sim::RunResult run = Stage([] { CloseProductPrograms("A:\\"); });
  EXPECT_EQ(run.ending, sim::RunResult::Ending::Exited) << run.message;
  EXPECT_EQ(Count(kScannerBox), 3) << Transcript();
  // Only the user closes the scanner; the program closes the other two.
  EXPECT_EQ(Count("\"ZVTileWindow\": WM_CLOSE"), 0);
  EXPECT_EQ(Count("\"Zelvane ToolBar\": WM_CLOSE"), 1);
  EXPECT_EQ(Count("\"ZV Scheduler\": WM_CLOSE"), 1);
  EXPECT_EQ(Count("registry "), 0);
  EXPECT_EQ(Count("reboot"), 0);
  EXPECT_EQ(Reg(kLocal, kRunOnceKey, kRunOnceInstallation), "<none>");
}

TEST_F(RemovalTest, PreviousDirectoryFromTheSavedUninstallCommand) {
  Make();
  struct Case {
    const char* saved;  // null: no saved command
    const char* dir;
  } cases[] = {
      {nullptr, "untouched"},
      {"c:\\windows\\uninst.exe -f c:\\zv\\x.log", "c:\\zv\\"},
      {"C:\\WINDOWS\\UNINST.EXE -f\"C:\\ZV\\X.LOG\"", "c:\\zv\\"},
      {"c:\\windows\\uninst.exe -a -f c:\\program files\\zelvane\\deisl1.isu",
       "c:\\program files\\zelvane\\"},
      {"-f c:\\zv\\x.log c:\\windows\\uninst.exe", "untouched"},
      {"c:\\windows\\setup.exe -f c:\\zv\\x.log", "untouched"},
      {"c:\\windows\\uninst.exe -f", "untouched"},
      {"c:\\windows\\uninst.exe -f x.log", "untouched"},
  };
  for (const Case& c : cases) {
    if (c.saved) SetReg(kLocal, kVendorKey, kUninstPathValue, c.saved);
    char out[kPathSize] = "untouched";
    Stage([&] { GetPreviousInstallDir(out); });
    EXPECT_STREQ(out, c.dir) << (c.saved ? c.saved : "no saved command");
  }
}

TEST_F(RemovalTest, RemovalSucceedsOnlyWhenScannerAndIndexAreGone) {
  struct Case {
    const char* uninstaller;
    bool withUninstaller;
    int result;
    bool entryRemoved;
  } cases[] = {
      {"uninstaller", true, 1, true},
      {"uninstaller leaves ZV95.EXE", true, 0, true},
      {"uninstaller leaves ZV.INX", true, 0, true},
      {"ends", true, 0, false},
      {"uninstaller", false, 0, false},  // it cannot be started
  };
  for (const Case& c : cases) {
    Fresh();
    MakePreviousInstallation(c.uninstaller, c.withUninstaller);
    RecordPreviousInstallation();
    int result = -1;
    Stage([&] { result = RunPreviousUninstaller(); });
    EXPECT_EQ(result, c.result) << c.uninstaller << "\n" << Transcript();
    EXPECT_EQ(Count(c.withUninstaller ? "program \"C:\\ZV\\ZVUINST.EXE\" \"\": started, waited for"
                                      : "program \"c:\\zv\\ZVUINST.EXE\": cannot be started"),
              1) << Transcript();
    EXPECT_EQ(KeyExists(kLocal, kUninstallKey), !c.entryRemoved) << c.uninstaller;
  }
}

TEST_F(RemovalTest, NoPreviousDirectoryRunsNothingAndSaysWhy) {
  MakePreviousInstallation("uninstaller");
  RecordPreviousInstallation();
  SetReg(kLocal, kVendorKey, kUninstPathValue, "c:\\windows\\uninst.exe");
  Answer("box \"Zelvane Setup\" \"could not find where the previous version\" OK");
  int result = -1;
  const sim::RunResult run = Stage([&] { result = RunPreviousUninstaller(); });
  EXPECT_EQ(run.ending, sim::RunResult::Ending::Exited) << run.message;
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Count("program "), 0) << Transcript();
  EXPECT_EQ(Count("box \"Zelvane Setup\" [OK] exclamation"), 1);
  EXPECT_TRUE(Exists("C:\\ZV\\ZV95.EXE"));
}

}  // namespace
