// The machine folder is never lost: a registry or machine.ini that cannot be
// read stops the run before anything is done, and a save is all or nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/port.h"
#include "support/machine_fixture.h"

namespace fs = std::filesystem;

namespace {

class MachineFolderTest : public MachineTest {
 protected:

  // The error that opening the machine gives; "" when it opens.
  std::string OpenError() {
    try {
      Open();
    } catch (const sim::Error& e) {
      return e.what();
    }
    return "";
  }
};

TEST_F(MachineFolderTest, ARegistryThatCannotBeReadStopsBeforeAnythingIsDone) {
  const struct {
    const char* what;
    std::function<void(const std::string&)> spoil;  // given the registry folder
    std::string error;                              // after the machine folder
  } cases[] = {
      {"a folder in place of a .reg file",
       [](const std::string& reg) {
         fs::remove(reg + "/95/HKEY_CURRENT_USER.reg");
         fs::create_directory(reg + "/95/HKEY_CURRENT_USER.reg");
       },
       "/registry/95/HKEY_CURRENT_USER.reg: Is a directory"},
      {"no folder for the booted system",
       [](const std::string& reg) { fs::remove_all(reg + "/95"); },
       "/registry/95: No such file or directory"},
      {"no registry folder",
       [](const std::string& reg) { fs::remove_all(reg); },
       "/registry: No such file or directory"},
      {"a file in place of the registry folder",
       [](const std::string& reg) {
         fs::remove_all(reg);
         std::ofstream(reg) << "x";
       },
       "/registry: Not a directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Make();
    c.spoil(folder_ + "/registry");
    const auto before = FolderFiles();
    EXPECT_EQ(OpenError(), "cannot read " + folder_ + c.error);
    EXPECT_EQ(FolderFiles(), before);
  }
}

TEST_F(MachineFolderTest, ASaveThatFailsLeavesEveryFileAsItWasAndKeepsTheTranscript) {
  Make();
  // The second file of the save cannot be made: HKEY_CURRENT_USER.reg is
  // written before HKEY_LOCAL_MACHINE.reg fails.
  fs::create_directory(folder_ + "/registry/95/HKEY_LOCAL_MACHINE.reg.new");
  const auto before = FolderFiles();
  const sim::RunResult r = RunProcess([] {
    port::RegKey key;
    port::RegCreate(port::HkeyCurrentUser, "Software\\Brackwell", key);
    port::RegClose(key);
    port::RegCreate(port::HkeyLocalMachine, "Software\\Brackwell", key);
    port::RegClose(key);
  });
  EXPECT_EQ(r.ending, sim::RunResult::Ending::Stopped);
  EXPECT_EQ(r.message, "the machine was not saved: cannot write " + folder_ +
                           "/registry/95/HKEY_LOCAL_MACHINE.reg.new: Is a directory");
  EXPECT_NE(Transcript().find("Software\\Brackwell"), std::string::npos) << Transcript();
  EXPECT_NE(Transcript().find(r.message), std::string::npos) << Transcript();
  EXPECT_EQ(FolderFiles(), before);
}

// The line of machine.ini that reads `line`, counted from 1.
int LineOf(const std::string& folder, const std::string& line) {
  std::ifstream in(folder + "/machine.ini", std::ios::binary);
  std::string text;
  for (int number = 1; std::getline(in, text); ++number) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text == line) return number;
  }
  return 0;
}

TEST_F(MachineFolderTest, AMachineIniFaultIsNamedWithItsLineAndKeyBeforeAnythingRuns) {
  const struct {
    std::string section, key, value;  // the entry added (value "-" removes it)
    std::string line;                 // the line named ("" for none)
    std::string error;
  } cases[] = {
      {"Drives", "A", "emty", "A=emty",
       "[Drives] A: \"emty\": expected empty, write-protected, unreadable or absent"},
      {"Drives", "Q", "empty", "Q=empty",
       "[Drives] Q: \"empty\": only the diskette drives A and B can be empty"},
      {"Faults", "write", "banana", "write=banana", "[Faults] write: \"banana\": expected N or N+"},
      {"Faults", "registry", "-1", "registry=-1", "[Faults] registry: \"-1\": expected N or N+"},
      {"Machine", "Bot", "95", "Bot=95", "[Machine] Bot: unknown key"},
      {"Machine", "ScreenWidth", "wide", "ScreenWidth=wide",
       "[Machine] ScreenWidth: \"wide\": expected a number from 1 to 32767"},
      {"Top Windows", "Setup", "shuts", "Setup=shuts",
       "[Top Windows] Setup: \"shuts\": expected closes or stays"},
      {"Programs", "ZVSCHED.EXE", "window \"S\" crashes after soon",
       "ZVSCHED.EXE=window \"S\" crashes after soon", "expected window \"TITLE\" crashes after MS"},
      {"Programs", "WINWORD.EXE", "word tip report-after", "WINWORD.EXE=word tip report-after",
       "report-after needs milliseconds"},
      {"Programs", "SETUP.EXE", "runs", "SETUP.EXE=runs", "[Programs] SETUP.EXE: \"runs\": expected"},
      {"Memory", "ActiveVirus", "maybe", "ActiveVirus=maybe", "expected yes or no"},
      {"Shell", "ProgramManager", "gone", "ProgramManager=gone", "expected present or absent"},
      {"Rescue Library", "RescueCreate", "x", "RescueCreate=x", "expected a number"},
      {"Windows 95", "WindowsDir", "WINDOWS", "WindowsDir=WINDOWS", "expected a full Windows path"},
      {"Nonsense", "Key", "1", "[Nonsense]", "unknown section [Nonsense]"},
      {"Program", "Module", "-", "", ": [Program] Module= is missing"},
      {"Windows 95", "WindowsDir", "-", "", ": [Windows 95] WindowsDir= is missing"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.section + " " + c.key + "=" + c.value);
    Make();
    if (c.value == "-") RemoveMachineIni(c.section, c.key);
    else SetMachineIni(c.section, c.key, c.value);
    const std::string where =
        folder_ + "/machine.ini" +
        (c.line.empty() ? "" : ":" + std::to_string(LineOf(folder_, c.line)) + ": ");
    const auto before = FolderFiles();
    const std::string error = OpenError();
    EXPECT_EQ(error.rfind(where, 0), 0u) << error;
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
    EXPECT_EQ(FolderFiles(), before);
  }
}

TEST_F(MachineFolderTest, ABrokenMachineFolderIsNamedForWhatItLacks) {
  Make();
  std::ofstream(folder_ + "/machine.ini", std::ios::app) << "[Drives]\r\nthis is no entry\r\n";
  EXPECT_EQ(OpenError(), folder_ + "/machine.ini:" +
                             std::to_string(LineOf(folder_, "this is no entry")) +
                             ": cannot read the line \"this is no entry\"");
  Make();
  fs::remove_all(folder_ + "/disk/C");
  EXPECT_EQ(OpenError(), folder_ + "/disk/C: the machine has no drive C:");
  Make();
  fs::remove(folder_ + "/machine.ini");
  fs::create_directory(folder_ + "/machine.ini");
  EXPECT_EQ(OpenError(), "cannot read " + folder_ + "/machine.ini: Is a directory");
}

TEST_F(MachineFolderTest, EverySettingTheSimulatorReadsIsAccepted) {
  Make(sim::MachineKind::DualBoot);
  const IniEntry settings[] = {
      {"Machine", "Boot", "nt"},
      {"Machine", "ScreenWidth", "800"},
      {"Machine", "ScreenHeight", "600"},
      {"Machine", "Date", "1999-12-31"},
      {"Machine", "RestartPending", "1"},
      {"Windows NT", "StartMenuPrograms", "C:\\WINNT\\Profiles\\All Users\\Start Menu\\Programs"},
      {"Windows 95", "ComputerName", "OFFICE"},
      {"Environment", "TEMP", "C:\\TEMP"},
      {"Environment NT", "windir", "C:\\WINNT"},
      {"Drives", "A", "write-protected"},
      {"Drives", "B", "unreadable"},
      {"Drives", "D", "absent"},
      {"Top Windows", "Zelvane ToolBar", "Stays"},
      {"Programs", "ZVSCHED.EXE", "window \"Zelvane Scheduler\" crashes after 60000"},
      {"Programs", "ZVUINST.EXE", "uninstaller leaves ZV.INI"},
      {"Programs", "OLDUNST.EXE", "uninstaller"},
      {"Programs", "WINWORD.EXE", "word tip report-after 500 ends-after 9000"},
      {"Programs", "SETUP.EXE", "window Setup"},
      {"Programs", "VIGARD.EXE", "cannot start"},
      {"Programs", "NOTEPAD.EXE", "ends"},
      {"Memory", "ActiveVirus", "yes"},
      {"Rescue Library", "RescueCreate", "-1"},
      {"Rescue Library", "CreateEmergencyDisk", "0"},
      {"Shell", "ProgramManager", "absent"},
      {"Faults", "open", "0"},
      {"Faults", "write", "3+"},
      {"Faults", "registry", "2"},
  };
  for (const IniEntry& e : settings) SetMachineIni(e.section, e.key, e.value);
  EXPECT_EQ(OpenError(), "");
}

}  // namespace
