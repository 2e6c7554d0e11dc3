// The startup components dialog, the Run key and startup record, and the
// scheduler offer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/components_fixture.h"
#include "components/startup_components.h"

namespace {

using Lines = std::vector<std::string>;
using sim::MachineKind;

struct Fields {
  int online, scheduler, toolbar, emergency, rescue;
  bool operator==(const Fields& o) const {
    return online == o.online && scheduler == o.scheduler && toolbar == o.toolbar &&
           emergency == o.emergency && rescue == o.rescue;
  }
};
std::ostream& operator<<(std::ostream& out, const Fields& f) {
  return out << f.online << f.scheduler << f.toolbar << f.emergency << f.rescue;
}
Fields Current() {
  return {WantOnlineProtection, WantScheduler, WantToolbar, WantEmergencyDisk, WantRescueDisk};
}

class StartupDialogTest : public ComponentsTest {
 protected:
  Fields Show(const std::string& answer) {
    Answer(answer);
    Fields after{};
    Stage([&] {
      RunStartupComponentsDialog();
      after = Current();
    });
    return after;
  }
};

struct DialogCase {
  const char* name;
  MachineKind kind;
  const char* type;  // "" when the registry has none
  const char* answer;
  int templateId;
  Lines ended;  // the boxes as the dialog ends
  Fields after;
};

const DialogCase kDialogCases[] = {
    {"Windows95Defaults", MachineKind::Windows95, "2", "dialog 102 press 1", 102,
     {"  1000 AUTOCHECKBOX \"&Online Protection\" checked",
      "  1001 AUTOCHECKBOX \"&Scheduler\" checked", "  1002 AUTOCHECKBOX \"&Toolbar\" checked",
      "  1004 AUTOCHECKBOX \"Create &Rescue disk\" checked"},
     {1, 1, 1, 0, 1}},
    {"WindowsNtRescueDisabled", MachineKind::WindowsNT, "2",
     "dialog 102 uncheck 1000 uncheck 1002 press 1", 102,
     {"  1000 AUTOCHECKBOX \"&Online Protection\" unchecked",
      "  1001 AUTOCHECKBOX \"&Scheduler\" checked", "  1002 AUTOCHECKBOX \"&Toolbar\" unchecked",
      "  1004 AUTOCHECKBOX \"Create &Rescue disk\" unchecked disabled"},
     {0, 1, 0, 0, 0}},
    {"EditionThreeOnNt", MachineKind::WindowsNT, "3", "dialog 103 press 1", 103,
     {"  1000 AUTOCHECKBOX \"&Online Protection\" checked",
      "  1001 AUTOCHECKBOX \"&Scheduler\" checked", "  1002 AUTOCHECKBOX \"&Toolbar\" checked",
      "  1004 AUTOCHECKBOX \"Create &Rescue disk\" unchecked disabled",
      "  1003 AUTOCHECKBOX \"Create &Emergency disk\" checked"},
     {1, 1, 1, 1, 0}},
    {"EditionThreeOn95Unchecked", MachineKind::Windows95, "3",
     "dialog 103 uncheck 1003 uncheck 1004 uncheck 1001 press 1", 103,
     {"  1000 AUTOCHECKBOX \"&Online Protection\" checked",
      "  1001 AUTOCHECKBOX \"&Scheduler\" unchecked", "  1002 AUTOCHECKBOX \"&Toolbar\" checked",
      "  1004 AUTOCHECKBOX \"Create &Rescue disk\" unchecked",
      "  1003 AUTOCHECKBOX \"Create &Emergency disk\" unchecked"},
     {1, 0, 1, 0, 0}},
    // No Type at all, and one that only begins like 3: not the full edition.
    {"NoEditionType", MachineKind::Windows95, "", "dialog 102 press 1", 102,
     {"  1000 AUTOCHECKBOX \"&Online Protection\" checked",
      "  1001 AUTOCHECKBOX \"&Scheduler\" checked", "  1002 AUTOCHECKBOX \"&Toolbar\" checked",
      "  1004 AUTOCHECKBOX \"Create &Rescue disk\" checked"},
     {1, 1, 1, 0, 1}},
    {"EditionTypeThirtyTwo", MachineKind::Windows95, "32", "dialog 102 press 1", 102,
     {"  1000 AUTOCHECKBOX \"&Online Protection\" checked",
      "  1001 AUTOCHECKBOX \"&Scheduler\" checked", "  1002 AUTOCHECKBOX \"&Toolbar\" checked",
      "  1004 AUTOCHECKBOX \"Create &Rescue disk\" checked"},
     {1, 1, 1, 0, 1}},
};

void PrintTo(const DialogCase& c, std::ostream* out) { *out << c.name; }

class StartupDialogTable : public StartupDialogTest,
                           public ::testing::WithParamInterface<DialogCase> {};

TEST_P(StartupDialogTable, TemplateDefaultsAndFields) {
  const DialogCase& c = GetParam();
  Install(c.kind, c.type);
  EXPECT_EQ(Show(c.answer), c.after) << Transcript();
  const std::string opens = "dialog " + std::to_string(c.templateId) + " \"Setup\" opens, no owner:";
  EXPECT_EQ(TranscriptLines({opens}).size(), 1u) << Transcript();
  Lines boxes;
  for (const std::string& line :
       ControlsAfter("dialog " + std::to_string(c.templateId) + " ends with 1:"))
    if (line.find("AUTOCHECKBOX") != std::string::npos) boxes.push_back(line);
  EXPECT_EQ(boxes, c.ended) << Transcript();
}

INSTANTIATE_TEST_SUITE_P(Cases, StartupDialogTable, ::testing::ValuesIn(kDialogCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartupDialogTest, NtDisablesTheRescueTextsOfTemplate102) {
  Install(MachineKind::WindowsNT, "1");
  Show("dialog 102 press 1");
  EXPECT_EQ(TranscriptLines({"dialog 102: 10"}),
            (Lines{"dialog 102: 1004 disabled", "dialog 102: 1027 disabled",
                   "dialog 102: 1028 disabled"}))
      << Transcript();
}

TEST_F(StartupDialogTest, EscapeAndBoxClicksCloseHelpButLeaveTheDialogOpen) {
  Install(MachineKind::Windows95, "3");
  const Fields after = Show("dialog 103 press 1022 escape uncheck 1002 press 1");
  EXPECT_EQ(after, (Fields{1, 1, 0, 1, 1}));
  EXPECT_EQ(TranscriptLines({"help ", "  user "}),
            (Lines{"  user presses 1022",
                   "help open \"C:\\ZVSETU~1\\ZVSET.HLP\" at 74497, owner dialog 103",
                   "  user presses Escape", "help quit \"C:\\ZVSETU~1\\ZVSET.HLP\", owner dialog 103",
                   "  user unchecks 1002", "help quit \"C:\\ZVSETU~1\\ZVSET.HLP\", owner dialog 103",
                   "  user presses 1", "help quit \"C:\\ZVSETU~1\\ZVSET.HLP\", owner dialog 103"}))
      << Transcript();
}

TEST_F(StartupDialogTest, HelpOfTemplate102OpensTopic74496) {
  Install(MachineKind::Windows95, "2");
  Show("dialog 102 press 1022 press 1");
  EXPECT_EQ(TranscriptLines({"help open"}),
            (Lines{"help open \"C:\\ZVSETU~1\\ZVSET.HLP\" at 74496, owner dialog 102"}));
}

// ---- RegisterStartupPrograms ------------------------------------------------

class RegisterTest : public ComponentsTest {
 protected:
  void Register(int online, int scheduler, int toolbar) {
    Stage([&] {
      WantOnlineProtection = online;
      WantScheduler = scheduler;
      WantToolbar = toolbar;
      RegisterStartupPrograms();
    });
  }
  std::string RunValues() const {
    return RegValue(port::HkeyLocalMachine, kRunKey, "Zelvane Scheduler") + "|" +
           RegValue(port::HkeyLocalMachine, kRunKey, "Zelvane ToolBar") + "|" +
           RegValue(port::HkeyLocalMachine, kRunKey, "Zelvane On-Line Protection");
  }
  std::string Config(const char* name) {
    std::string bytes;
    ReadFile(std::string(kInstallDir) + name, bytes);
    return bytes;
  }
};

const std::string kConfigTail = "REST OF THE CONFIGURATION";
const std::string kOldRecord = std::string("\x07\x07\x07\x07\x07\x07", 6);

TEST_F(RegisterTest, OnlyToolbarOnWindows95) {
  Install(MachineKind::Windows95);
  PutFile("C:\\ZV\\ZV95.CNF", kOldRecord + kConfigTail);
  PutFile("C:\\ZV\\ZVNT.CNF", kOldRecord);
  Register(0, 0, 1);
  EXPECT_EQ(RunValues(), "<none>|C:\\ZV\\ZVDOCK.EXE|<none>");
  EXPECT_EQ(Config("ZV95.CNF"), std::string("\x01\0\0\0\0\0", 6) + kConfigTail);
  EXPECT_EQ(Config("ZVNT.CNF"), kOldRecord);
}

TEST_F(RegisterTest, NoneOnWindowsNtDeletesEveryValue) {
  Install(MachineKind::WindowsNT);
  PutFile("C:\\ZV\\ZVNT.CNF", kOldRecord + kConfigTail);
  Open().WriteRegistry(port::HkeyLocalMachine, kRunKey, "Zelvane Scheduler", "old");
  Open().WriteRegistry(port::HkeyLocalMachine, kRunKey, "Zelvane ToolBar", "old");
  Open().WriteRegistry(port::HkeyLocalMachine, kRunKey, "Zelvane On-Line Protection", "old");
  Register(0, 0, 0);
  EXPECT_EQ(RunValues(), "<none>|<none>|<none>");
  EXPECT_EQ(Config("ZVNT.CNF"), std::string(6, '\0') + kConfigTail);
}

TEST_F(RegisterTest, ASecondRunLeavesOnlyTheNewChoices) {
  Install(MachineKind::Windows95);
  PutFile("C:\\ZV\\ZV95.CNF", kOldRecord);
  Register(1, 1, 1);
  EXPECT_EQ(RunValues(),
            "C:\\ZV\\ZVSCHED.EXE /startup|C:\\ZV\\ZVDOCK.EXE|C:\\ZV\\VIGARD.EXE");
  EXPECT_EQ(Config("ZV95.CNF"), std::string("\x01\0\x01\0\x01\0", 6));
  Register(1, 0, 0);
  EXPECT_EQ(RunValues(), "<none>|<none>|C:\\ZV\\VIGARD.EXE");
  EXPECT_EQ(Config("ZV95.CNF"), std::string("\0\0\0\0\x01\0", 6));
}

TEST_F(RegisterTest, AMissingConfigurationFileIsNotMadeButTheRunKeyIsWritten) {
  Install(MachineKind::Windows95);
  Register(1, 1, 0);
  EXPECT_EQ(RunValues(), "C:\\ZV\\ZVSCHED.EXE /startup|<none>|C:\\ZV\\VIGARD.EXE");
  std::string bytes;
  EXPECT_FALSE(ReadFile("C:\\ZV\\ZV95.CNF", bytes));
}

// ---- The scheduler offer ----------------------------------------------------

class SchedulerTest : public ComponentsTest {
 protected:
  void Offer() {
    Stage([&] {
      OfferScheduler();
    });
  }
};

TEST_F(SchedulerTest, YesStartsTheSchedulerAndWaitsUntilTheUserClosesIt) {
  Install(MachineKind::Windows95);
  PutFile("C:\\ZV\\ZVSCHED.EXE", "simulated scheduler\r\n");
  SetMachineIni("Programs", "ZVSCHED.EXE", "window \"Zelvane Scheduler\"");
  Answer("box \"Schedule Zelvane Scanner\" Yes\nclose \"Zelvane Scheduler\"\n");
  Offer();
  EXPECT_EQ(TranscriptLines({"box ", "program ", "window ", "user ", "sleep "}),
            (Lines{"box \"Schedule Zelvane Scanner\" [Yes No] question, no owner: \"Zelvane comes "
                   "with a powerful scheduler to schedule the scans.\\nWould you like to schedule "
                   "the Zelvane scanner now?\"",
                   "program \"C:\\ZV\\ZVSCHED.EXE\" \"\": started",
                   "window \"Zelvane Scheduler\": opened by ZVSCHED.EXE", "sleep 2500 ms",
                   "user closes window \"Zelvane Scheduler\"", "program ZVSCHED.EXE: ended"}))
      << Transcript();
}

TEST_F(SchedulerTest, NoStartsNothing) {
  Install(MachineKind::Windows95);
  PutFile("C:\\ZV\\ZVSCHED.EXE", "simulated scheduler\r\n");
  Answer("box \"Schedule Zelvane Scanner\" No\n");
  Offer();
  EXPECT_TRUE(TranscriptLines({"program "}).empty()) << Transcript();
}

TEST_F(SchedulerTest, NoWindowAfterTheStartSkipsTheWait) {
  Install(MachineKind::Windows95);
  PutFile("C:\\ZV\\ZVSCHED.EXE", "simulated scheduler\r\n");
  Answer("box \"Schedule Zelvane Scanner\" Yes\n");
  Offer();
  EXPECT_EQ(TranscriptLines({"sleep ", "window "}), Lines{"sleep 2500 ms"}) << Transcript();
}

TEST_F(SchedulerTest, ASchedulerThatCrashesWithItsWindowOpenEndsTheWait) {
  Install(MachineKind::Windows95);
  PutFile("C:\\ZV\\ZVSCHED.EXE", "simulated scheduler\r\n");
  SetMachineIni("Programs", "ZVSCHED.EXE", "window \"Zelvane Scheduler\" crashes after 60000");
  Answer("box \"Schedule Zelvane Scanner\" Yes\n");
  Offer();
  EXPECT_EQ(TranscriptLines({"program ZVSCHED"}),
            (Lines{"program ZVSCHED.EXE: crashes, leaving its window on the screen",
                   "program ZVSCHED.EXE: ended"}))
      << Transcript();
}

}  // namespace
