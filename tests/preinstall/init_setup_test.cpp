// The "/initsetup" stage: its argument list, where Zelvane is found, and the
// decision with its boxes, its records and the front end's window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "frame/registry_layout.h"
#include "frame/setup_state.h"
#include "preinstall/init_fields.h"
#include "preinstall/install_location.h"
#include "preinstall/preinstall_fixture.h"

namespace {

constexpr std::uint32_t kLocal = port::HkeyLocalMachine;
constexpr std::uint32_t kUser = port::HkeyCurrentUser;
const char* const kVersionKey50 = "SOFTWARE|Brackwell|Zelvane|5.0";
const char* const kVersionKey40 = "SOFTWARE|Brackwell|Zelvane|4.0";
const char* const kArguments = "/initsetup*A:\\*C:\\Program Files\\Zelvane*0*2*0*0*0*x*5.0";

TEST(InitSetupFields, TakenByTheTokenisingRuleEachCutToItsBuffer) {
  struct Case {
    const char* text;
    const char* source;
    const char* second;
    const char* type;
    const char* complimentary;
    const char* name;
    const char* version;
  } cases[] = {
      {"/initsetup*A:\\*C:\\ZV*0*2*0*0*0*x*5.0", "A:\\", "C:\\ZV", "2", "0", "x", "5.0"},
      // Runs of separators count as one, at the start and between fields.
      {"/initsetup***A:\\**C:\\ZV*0***2*0*0*0*x*5.1**", "A:\\", "C:\\ZV", "2", "0", "x", "5.1"},
      // An empty position moves every later field forward: the version is
      // missing and the default stays.
      {"/initsetup*A:\\**0*2*0*0*0*x*5.1", "A:\\", "0", "0", "x", "5.1", "5.0"},
      // A blank in the 11th position begins the first field.
      {"/initsetup A:\\*C:\\ZV*0*2*0*0*0*x*4", " A:\\", "C:\\ZV", "2", "0", "x", "4"},
      // Fewer fields: nothing past the list is read; the rest are empty.
      {"/initsetup*A:\\*C:\\ZV", "A:\\", "C:\\ZV", "", "", "", "5.0"},
      {"/initsetup", "", "", "", "", "", "5.0"},
      // Fields longer than their buffers are cut: the name to 35 characters,
      // the version to 11.
      {"/initsetup*A:\\*C:\\ZV*0*2*0*0*1*"
       "0123456789012345678901234567890123456789*5.0.12345678901",
       "A:\\", "C:\\ZV", "2", "1", "01234567890123456789012345678901234", "5.0.1234567"},
  };
  for (const Case& c : cases) {
    ResetSetupState();
    InitSetupFields f{};
    TakeInitSetupFields(c.text, f);
    EXPECT_STREQ(f.sourceDir, c.source) << c.text;
    EXPECT_STREQ(f.secondDir, c.second) << c.text;
    EXPECT_STREQ(f.editionType, c.type) << c.text;
    EXPECT_STREQ(f.complimentaryFlag, c.complimentary) << c.text;
    EXPECT_STREQ(f.complimentaryName, c.name) << c.text;
    EXPECT_STREQ(ProductVersion, c.version) << c.text;
  }
  InitSetupFields f{};
  TakeInitSetupFields("/initsetup*A:\\*C:\\ZV*123456789*2*12345678*0*0*x*5.0", f);
  EXPECT_STREQ(f.number, "1234567");
  EXPECT_STREQ(f.expressFlag, "1234567");
}

class InitSetupTest : public PreinstallTest {
 protected:
  // The previous installation in C:\ZV, version 4.0, with an uninstaller
  // that behaves as `uninstaller` says.
  void InstalledHere(const std::string& uninstaller = "uninstaller") {
    for (const char* file : {"ZV32.EXE", "ZV95.EXE", "ZV.INX", "ZVUINST.EXE"})
      PutFile(std::string("C:\\ZV\\") + file, "x");
    SetMachineIni("Programs", "ZVUINST.EXE", uninstaller);
    SetReg(kLocal, kVendorKey, kUninstPathValue, "C:\\WINDOWS\\UNINST.EXE -f\"C:\\ZV\\DeIsL1.isu\"");
    SetReg(kLocal, kVendorKey, kCurrentVersionValue, "4.0");
    SetReg(kLocal, kVersionKey40, kCompanyValue, "Old Company");
    SetReg(kLocal, kUninstallKey, kUninstallStringValue, "C:\\ZV\\zvuinst.exe");
  }
  // The path record names the Windows NT directory, whose info record holds
  // `version`.
  void OnOtherSystem(const std::string& version) {
    PutFile("C:\\ZV.INI", "[Path]\r\nZelvane=C:\\ZV\\\r\nWindows NT=C:\\WINNT\r\n");
    PutFile("C:\\WINNT\\ZV32.INI", "[Info]\r\nVersion=" + version + "\r\n");
  }
  // What the user saw, in order: each box by its title, the scan dialog.
  std::string Seen() const {
    std::istringstream in(Transcript());
    std::string line, seen;
    while (std::getline(in, line)) {
      std::string item;
      if (line.rfind("box \"", 0) == 0) item = line.substr(4, line.find('"', 5) - 3);
      else if (line.rfind("dialog 143 \"", 0) == 0) item = "scan";
      if (!item.empty()) seen += (seen.empty() ? "" : ", ") + item;
    }
    return seen;
  }
};

TEST_F(InitSetupTest, TheDecisionByWhereZelvaneIsAndWhatTheUserAnswers) {
  struct Case {
    const char* name;
    bool here;
    const char* other;  // the other system's version; null: not there
    const char* uninstaller;
    std::vector<IniEntry> flags;  // values of the version key 5.0 before the run
    const char* answers;
    const char* seen;
    bool closed;
    sim::RunResult::Ending ending;
    const char* uninstPrevVer;
    const char* calledFromInstall;
    const char* setupDrv;
    bool editionRecorded;
    bool oldKeyKept;
  };
  using E = sim::RunResult::Ending;
  const Case cases[] = {
      {"nowhere", false, nullptr, "uninstaller", {}, "box \"Warning\" OK",
       "\"Warning\", scan", false, E::Exited, "<none>", "<none>", "A:\\", true, true},
      {"other version on the other system", false, "4.0", "uninstaller", {},
       "box \"Aborting Setup\" OK",
       "\"Aborting Setup\"", true, E::Exited, "<none>", "<none>", "A:\\", false, true},
      {"here and on the other system", true, "5.0", "uninstaller", {}, "box \"Warning\" OK\n"
       "box \"Aborting Setup\" OK", "\"Warning\", scan, \"Aborting Setup\"", true, E::Exited,
       "<none>", "<none>", "A:\\", true, true},
      {"here, Cancel at the warning", true, nullptr, "uninstaller", {}, "box \"Warning\" Cancel",
       "\"Warning\"", true, E::Exited, "<none>", "<none>", "A:\\", true, true},
      {"here, Cancel at the question", true, nullptr, "uninstaller", {},
       "box \"Warning\" OK\nbox \"Zelvane already installed\" Cancel",
       "\"Warning\", scan, \"Zelvane already installed\"", true, E::Exited, "0", "<none>",
       "<none>", true, true},
      {"here, Yes, removed", true, nullptr, "uninstaller", {},
       "box \"Warning\" OK\nbox \"Zelvane already installed\" Yes",
       "\"Warning\", scan, \"Zelvane already installed\"", false, E::Exited, "1", "<none>",
       "<none>", true, true},
      {"here, Yes, not removed", true, nullptr, "uninstaller leaves ZV.INX", {},
       "box \"Warning\" OK\nbox \"Zelvane already installed\" Yes\nbox \"Zelvane Setup\" OK",
       "\"Warning\", scan, \"Zelvane already installed\", \"Zelvane Setup\"", true, E::Exited,
       "1", "<none>", "<none>", true, true},
      {"here, No", true, nullptr, "uninstaller", {},
       "box \"Warning\" OK\nbox \"Zelvane already installed\" No",
       "\"Warning\", scan, \"Zelvane already installed\"", false, E::Exited, "0", "<none>",
       "<none>", true, false},
      // The run after a restart takes the recorded answer, also where the
      // other system is recorded too.
      {"resumed, Yes recorded", true, "5.0", "uninstaller",
       {{"", kCalledFromInstallValue, "1"}, {"", kUninstPrevVerValue, "1"}}, "", "", false,
       E::Exited, "<none>", "<none>", "<none>", true, true},
      {"resumed, no answer recorded", true, nullptr, "uninstaller",
       {{"", kCalledFromInstallValue, "1"}}, "", "", false, E::Exited, "<none>", "<none>",
       "<none>", true, false},
      {"started by the uninstaller", true, nullptr, "uninstaller",
       {{"", kCalledFromUninstValue, "1"}}, "box \"Warning\" OK", "\"Warning\", scan", false,
       E::Exited, "<none>", "<none>", "<none>", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    machine_.reset();
    std::filesystem::remove_all(folder_);
    Make();
    if (c.here) InstalledHere(c.uninstaller);
    if (c.other) OnOtherSystem(c.other);
    SetReg(kLocal, kVersionKey50, kSetupDrvValue, "A:\\");
    for (const IniEntry& flag : c.flags) SetReg(kLocal, kVersionKey50, flag.key, flag.value);
    Answer(c.answers);
    const sim::RunResult run = Zvset(kArguments);
    EXPECT_EQ(run.ending, c.ending) << run.message << "\n" << Transcript();
    EXPECT_EQ(Seen(), c.seen) << Transcript();
    EXPECT_EQ(Count("window \"Setup\": WM_CLOSE") > 0, c.closed);
    EXPECT_EQ(Reg(kUser, kUserVendorKey, kTempCurrentVersionValue), "5.0");
    EXPECT_EQ(Reg(kLocal, kVersionKey50, kUninstPrevVerValue), c.uninstPrevVer);
    EXPECT_EQ(Reg(kLocal, kVersionKey50, kCalledFromInstallValue), c.calledFromInstall);
    EXPECT_EQ(Reg(kLocal, kVersionKey50, kSetupDrvValue), c.setupDrv);
    EXPECT_EQ(Reg(kUser, kUserVendorKey, kTypeValue), c.editionRecorded ? "2" : "<none>");
    if (c.here) {
      EXPECT_EQ(KeyExists(kLocal, kVersionKey40), c.oldKeyKept);
    }
    // "CalledFromUninst" is not this program's to change.
    for (const IniEntry& flag : c.flags)
      if (flag.key == kCalledFromUninstValue) {
        EXPECT_EQ(Reg(kLocal, kVersionKey50, flag.key), "1");
      }
  }
}

TEST_F(InitSetupTest, MessagesWithTheirTextsButtonsIconsAndOwners) {
  Make();
  OnOtherSystem("4.0");
  Zvset(kArguments);
  EXPECT_EQ(Count("box \"Aborting Setup\" [OK] information, no owner: \"Zelvane Setup has "
                  "detected a different version\\nof Zelvane installed on Windows NT.\\n"
                  "Uninstall Zelvane from Windows NT before installing\\nZelvane on Windows "
                  "95.\""),
            1) << Transcript();

  machine_.reset();
  std::filesystem::remove_all(folder_);
  Make();
  InstalledHere("uninstaller leaves ZV95.EXE");
  OnOtherSystem("4.0");
  Answer("box \"Warning\" OK\nbox \"Aborting Setup\" OK");
  Zvset(kArguments);
  EXPECT_EQ(Count("box \"Aborting Setup\" [OK] information, no owner: \"Zelvane was installed "
                  "on more than one operating systems.\\nUninstall Zelvane from all the "
                  "operating systems before\\ninstalling Zelvane.\""),
            1) << Transcript();

  machine_.reset();
  std::filesystem::remove_all(folder_);
  Make();
  InstalledHere("uninstaller leaves ZV95.EXE");
  Answer("box \"Warning\" OK\nbox \"Zelvane already installed\" Yes\nbox \"Zelvane Setup\" OK");
  Zvset(kArguments);
  EXPECT_EQ(Count("box \"Zelvane already installed\" [Yes No Cancel] information, no owner: "
                  "\"Zelvane is already installed on this system.\\nWould you like to "
                  "uninstall the previous version\\nbefore proceeding with installation?\\n\\n"
                  "Select Cancel to stop installation\""),
            1) << Transcript();
  EXPECT_EQ(Count("box \"Zelvane Setup\" [OK] exclamation, no owner: \"Previous version of "
                  "Zelvane was not uninstalled.\\nCan not proceed with installation.\""),
            1);
}

TEST_F(InitSetupTest, OtherSystemVersionReadIntoSixCharactersAndComparedAsANumber) {
  Make();
  struct Case {
    const char* recorded;
    const char* installing;
    bool same;
  } cases[] = {
      {"5", "5.0", true},   {"5.10", "5.1", true}, {"5.1", "5.0", false},
      {"", "5.0", false},   {"", "x", true},       {"5.0001", "5.0", true},  // cut to "5.000"
  };
  for (const Case& c : cases) {
    OnOtherSystem(c.recorded);
    double other = -1;
    int installed = 0;
    RunProcess([&] {
      installed = IsInstalledOnOtherSystem();
      other = GetOtherSystemVersion();
    });
    EXPECT_EQ(installed, 1);
    EXPECT_EQ(std::atof(c.installing) == other, c.same) << c.recorded << " " << c.installing;
  }
  PutFile("C:\\ZV.INI", "[Path]\r\nWindows 95=C:\\WINDOWS\r\n");
  int installed = -1;
  RunProcess([&] { installed = IsInstalledOnOtherSystem(); });
  EXPECT_EQ(installed, 0) << "this system's own entry is not the other system's";
}

TEST_F(InitSetupTest, RestartWhileTheProtectionIsLoadedLeavesTheHandOverValues) {
  Make();
  SetMachineIni("Top Windows", "Zelvane On-Line Protection", "stays");
  InstalledHere();
  Answer("box \"Warning\" OK\nbox \"Zelvane already installed\" No\nbox \"Zelvane Setup\" OK");
  const sim::RunResult run = Zvset(kArguments);
  EXPECT_EQ(run.ending, sim::RunResult::Ending::Restarted) << Transcript();
  EXPECT_EQ(Reg(kLocal, kVersionKey50, kUninstPrevVerValue), "0");
  EXPECT_EQ(Reg(kLocal, kVersionKey50, kCalledFromInstallValue), "1");
  EXPECT_EQ(Reg(kLocal, kVersionKey50, kSetupDrvValue), "A:\\");
  EXPECT_TRUE(KeyExists(kLocal, kVersionKey40)) << "nothing after the restart runs in this run";
}

}  // namespace
