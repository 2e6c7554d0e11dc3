#include <cctype>
#include <string>

#include "support/machine_fixture.h"
#include "platform/port.h"
#include "services/zvutil/zvutil.h"

namespace {

constexpr std::uint32_t Hklm = port::HkeyLocalMachine;
constexpr std::uint32_t Hkcr = port::HkeyClassesRoot;
const char* const kVendor = "SOFTWARE\\Brackwell\\Zelvane";
const char* const kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelvane";
const char* const kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

using ZvutilTest = MachineTest;

// The transcript line of a started program.
std::string ProgramLine(const sim::Machine& machine, const std::string& word) {
  for (const std::string& line : machine.Transcript())
    if (line.rfind("program ", 0) == 0 && line.find(word) != std::string::npos) return line;
  return "";
}

TEST_F(ZvutilTest, VersionsInstalledOnADualBootMachine) {
  Boot(sim::MachineKind::DualBoot, "NT");
  Run([] {
    EXPECT_EQ(GetOS(), 2);
    EXPECT_EQ(GetZVVersionsInstalled(), 0);
  });
  // The other system counts through its path record entry.
  Run([] { port::WriteProfileString("C:\\ZV.INI", "Path", "Windows 95", "C:\\WINDOWS"); });
  Run([] { EXPECT_EQ(GetZVVersionsInstalled(), 1); });
  // This system through its uninstall entry.
  machine_->WriteRegistry(Hklm, kUninstall, "DisplayName", "Zelvane");
  Run([] { EXPECT_EQ(GetZVVersionsInstalled(), 3); });

  Reboot("95");
  Run([] {
    EXPECT_EQ(GetOS(), 1);
    EXPECT_EQ(GetZVVersionsInstalled(), 0);  // no uninstall entry, no "Windows NT" entry
  });
}

TEST_F(ZvutilTest, UpdateOSInfoRecordsEachSystem) {
  Boot(sim::MachineKind::DualBoot, "95");
  MakeFolder("C:\\ZV");
  Run([] { UpdateOSInfo("C:\\ZV\\ZV32.CNF", 1); });
  Reboot("NT");
  Run([] {
    UpdateOSInfo("C:\\ZV\\ZV32.CNF", 1);
    EXPECT_EQ(Profile("C:\\ZV\\ZV32.CNF", "OS", "Windows 95"), "C:\\WINDOWS");
    EXPECT_EQ(Profile("C:\\ZV\\ZV32.CNF", "OS", "Windows NT"), "C:\\WINNT");
    EXPECT_EQ(Profile("C:\\ZV\\ZV32.CNF", "OS", "Current"), "2");
    UpdateOSInfo("C:\\ZV\\ZV32.CNF", 0);
    EXPECT_EQ(Profile("C:\\ZV\\ZV32.CNF", "OS", "Windows NT"), "");
    EXPECT_EQ(Profile("C:\\ZV\\ZV32.CNF", "OS", "Windows 95"), "C:\\WINDOWS");
  });
}

TEST_F(ZvutilTest, DatesAndComputerName) {
  Boot(sim::MachineKind::Windows95);
  Run([] {
    SaveUpgradeAndOldVersionWarnDate();
    SaveComputerName();
  });
  const std::string date = Registry(Hklm, kVendor, "UpgradeWarnDate");
  ASSERT_EQ(date.size(), 8u);
  for (char c : date) EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(c))) << date;
  EXPECT_EQ(Registry(Hklm, kVendor, "OldVersionWarnDate"), date);
  EXPECT_EQ(Registry(Hklm, kVendor, "ComputerName"), "ZVTEST95");
}

TEST_F(ZvutilTest, RemoveShellExtensionsLeavesOtherVerbs) {
  Boot(sim::MachineKind::Windows95);
  for (const char* type : {"comfile", "exefile", "Drive", "Directory", "zvcomp", "ArcType"})
    machine_->WriteRegistry(Hkcr, std::string(type) + "\\shell\\Zelvane Scan\\command", "",
                            "C:\\ZV\\ZV32.EXE /Zv32Scan%1");
  machine_->WriteRegistry(Hkcr, ".ZIP", "", "ArcType");
  machine_->WriteRegistry(Hkcr, "ArcType\\shell\\open\\command", "", "ARC.EXE %1");
  Run([] { RemoveShellExtensions(); });
  for (const char* type : {"comfile", "exefile", "Drive", "Directory", "zvcomp", "ArcType"}) {
    EXPECT_FALSE(machine_->RegistryKeyExists(Hkcr, std::string(type) + "\\shell\\Zelvane Scan"))
        << type;
  }
  EXPECT_EQ(Registry(Hkcr, "ArcType\\shell\\open\\command", ""), "ARC.EXE %1");
  EXPECT_EQ(Registry(Hkcr, ".ZIP", ""), "ArcType");
}

TEST_F(ZvutilTest, StartupEntriesAndRestart) {
  Boot(sim::MachineKind::Windows95, "",
       {{"Programs", "VIGARD.EXE", "window \"Zelvane On-Line Protection\""}});
  for (const char* value :
       {"Zelvane On-Line Protection", "Zelvane Scheduler", "Zelvane ToolBar", "ZVFW"})
    machine_->WriteRegistry(Hklm, kRun, value, "C:\\ZV\\X.EXE");
  machine_->WriteRegistry(Hklm, kRun, "Other", "C:\\OTHER.EXE");
  MakeFolder("C:\\ZV");
  Run([] {
    WriteWholeFile("C:\\ZV\\VIGARD.EXE", "resident protection");
    EXPECT_EQ(IsAutoProtectLoaded(), 0);
    ExecFile("C:\\ZV\\VIGARD.EXE", "", port::sw::Hide, 0, 0);
    EXPECT_NE(IsAutoProtectLoaded(), 0);
  });
  const sim::RunResult result = RunProcess([] {
    RemoveEntriesFromStartup();
    RestartWindows();
    ADD_FAILURE() << "RestartWindows returned";
  });
  EXPECT_EQ(result.ending, sim::RunResult::Ending::Restarted) << result.message;
  for (const char* value :
       {"Zelvane On-Line Protection", "Zelvane Scheduler", "Zelvane ToolBar", "ZVFW"})
    EXPECT_FALSE(HasValue(Hklm, kRun, value)) << value;
  EXPECT_EQ(Registry(Hklm, kRun, "Other"), "C:\\OTHER.EXE");
}

TEST_F(ZvutilTest, ExecFileWaitsOnlyWhenAsked) {
  Boot(sim::MachineKind::Windows95, "",
       {{"Programs", "ZVSCHED.EXE", "window \"Zelvane Scheduler\""}});
  MakeFolder("C:\\ZV");
  Run([] {
    WriteWholeFile("C:\\ZV\\ZVSTRUP.EXE", "start-up program");
    WriteWholeFile("C:\\ZV\\ZVSCHED.EXE", "scheduler");
    EXPECT_NE(ExecFile("C:\\ZV\\ZVSTRUP.EXE", "/INIT /REBUILD", port::sw::Hide, 1, 1), 0);
    EXPECT_NE(ExecFile("C:\\ZV\\ZVSCHED.EXE", "", port::sw::Show, 0, 0), 0);
    EXPECT_NE(port::FindTopWindow("Zelvane Scheduler"), 0u);
    EXPECT_EQ(ExecFile("", "", port::sw::Show, 1, 0), 0);
  });
  const std::string strup = ProgramLine(*machine_, "ZVSTRUP.EXE");
  EXPECT_NE(strup.find("\"/INIT /REBUILD\""), std::string::npos) << strup;
  EXPECT_NE(strup.find("hidden"), std::string::npos) << strup;
  EXPECT_NE(strup.find("waited for"), std::string::npos) << strup;
  const std::string sched = ProgramLine(*machine_, "ZVSCHED.EXE");
  EXPECT_NE(sched.find("started"), std::string::npos) << sched;
  EXPECT_EQ(sched.find("waited for"), std::string::npos) << sched;
}

TEST_F(ZvutilTest, FileCopyReplacesOnlyWhenAsked) {
  Boot(sim::MachineKind::Windows95);
  Run([] {
    WriteWholeFile("C:\\ZVFW97.MAL", "new template");
    WriteWholeFile("C:\\NORMAL.DOT", "old template");
    port::SetAttributes("C:\\NORMAL.DOT", port::AttrReadOnly);
    EXPECT_EQ(FileCopy("C:\\ZVFW97.MAL", "C:\\NORMAL.DOT", 0), 0);
    EXPECT_EQ(ReadWholeFile("C:\\NORMAL.DOT"), "old template");
    EXPECT_EQ(FileCopy("C:\\ZVFW97.MAL", "C:\\NORMAL.DOT", 1), 1);
    EXPECT_EQ(ReadWholeFile("C:\\NORMAL.DOT"), "new template");
    EXPECT_EQ(FileCopy("C:\\MISSING.MAL", "C:\\OTHER.DOT", 1), 0);
    EXPECT_EQ(MakeDriveReady(2), 0);
  });
}

}  // namespace
