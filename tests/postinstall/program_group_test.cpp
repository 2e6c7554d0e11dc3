// The program group through the shell's program manager service: the
// thirteen commands, the group replaced whole, and no service at all.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "frame/setup_state.h"
#include "postinstall/program_group.h"
#include "support/machine_fixture.h"

namespace fs = std::filesystem;

namespace {

const char* const kGroupFolder = "C:\\WINDOWS\\Start Menu\\Programs\\Zelvane";

class ProgramGroupTest : public MachineTest {
 protected:
  // The product's programs, as the front end copied them.
  void CopyPrograms() {
    for (const char* file : {"ZV32.EXE", "VIGARD.EXE", "ZVDOCK.EXE", "ZVSCHED.EXE", "ZVUINST.EXE"})
      PutFile(std::string("C:\\Program Files\\Zelvane\\") + file, "program");
  }
  void Build() {
    Run([] {
      std::strcpy(InstallDir, "C:\\PROGRA~1\\ZELVANE\\");
      CreateProgramGroup();
    });
  }
  // The group's shortcuts, by file name.
  std::vector<std::string> Items() {
    std::vector<std::string> names;
    const std::string host = Open().HostPath(kGroupFolder);
    if (!fs::exists(host)) return names;
    for (const auto& entry : fs::directory_iterator(host))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(ProgramGroupTest, ThirteenCommandsBuildTheGroupWithItsFiveItems) {
  Make();
  CopyPrograms();
  Build();
  const std::string t = Transcript();
  const char* const commands[] = {
      "[DeleteGroup(Zelvane)]\": failed",  // no such group yet
      "[CreateGroup(Zelvane)]\": done",
      "[ShowGroup(Zelvane,1)]\": done",
      "[AddItem(C:\\PROGRA~1\\ZELVANE\\ZV32.EXE,Zelvane)]\": done",
      "[ShowGroup(Zelvane,1)]\": done",
      "[AddItem(C:\\PROGRA~1\\ZELVANE\\VIGARD.EXE,Online Protection)]\": done",
      "[ShowGroup(Zelvane,1)]\": done",
      "[AddItem(C:\\PROGRA~1\\ZELVANE\\ZVDOCK.EXE,Tool Bar)]\": done",
      "[ShowGroup(Zelvane,1)]\": done",
      "[AddItem(C:\\PROGRA~1\\ZELVANE\\ZVSCHED.EXE,Scheduler)]\": done",
      "[ShowGroup(Zelvane,1)]\": done",
      "[AddItem(C:\\PROGRA~1\\ZELVANE\\ZVUINST.EXE,Uninstall)]\": done",
      "[ShowGroup(Zelvane,1)]\": done",
  };
  std::size_t at = 0;
  for (const char* command : commands) {
    at = t.find("dde \"PROGMAN|PROGMAN\": execute \"" + std::string(command), at);
    ASSERT_NE(at, std::string::npos) << command << "\n" << t;
  }
  EXPECT_EQ(Items(), (std::vector<std::string>{"Online Protection.lnk", "Scheduler.lnk",
                                               "Tool Bar.lnk", "Uninstall.lnk", "Zelvane.lnk"}));
  std::string shortcut;
  ASSERT_TRUE(ReadFile(std::string(kGroupFolder) + "\\Zelvane.lnk", shortcut));
  EXPECT_NE(shortcut.find("Target=C:\\PROGRA~1\\ZELVANE\\ZV32.EXE\r\n"), std::string::npos);
}

TEST_F(ProgramGroupTest, AnExistingGroupIsReplacedByExactlyTheFiveItems) {
  Make();
  CopyPrograms();
  PutFile(std::string(kGroupFolder) + "\\Old Scanner.lnk", "[Shortcut]\r\nTarget=C:\\ZV\\ZV.EXE\r\n");
  PutFile(std::string(kGroupFolder) + "\\Zelvane.lnk", "[Shortcut]\r\nTarget=C:\\ZV\\ZV32.EXE\r\n");
  Build();
  EXPECT_NE(Transcript().find("[DeleteGroup(Zelvane)]\": done"), std::string::npos);
  EXPECT_EQ(Items().size(), 5u);
  std::string shortcut;
  ASSERT_TRUE(ReadFile(std::string(kGroupFolder) + "\\Zelvane.lnk", shortcut));
  EXPECT_NE(shortcut.find("Target=C:\\PROGRA~1\\ZELVANE\\ZV32.EXE"), std::string::npos);
}

TEST_F(ProgramGroupTest, WithoutTheServiceNothingIsBuiltAndNothingShown) {
  Make();
  SetMachineIni("Shell", "ProgramManager", "absent");
  Build();
  const std::string t = Transcript();
  std::size_t attempts = 0;
  for (std::size_t at = 0; (at = t.find("dde \"PROGMAN|PROGMAN\": no server answers", at)) !=
                           std::string::npos;
       ++at)
    ++attempts;
  EXPECT_EQ(attempts, 13u) << t;
  EXPECT_EQ(t.find("box "), std::string::npos);
  EXPECT_EQ(t.find("sleep"), std::string::npos);
  EXPECT_TRUE(Items().empty());
}

// Each command is formatted into 255 characters at most; one that does not
// fit is not sent, and the service never sees a cut group or program name.
TEST_F(ProgramGroupTest, CommandsThatDoNotFitAreNotSent) {
  Make();
  int sent = -1, longest = -1, withIcon = -1;
  Run([&] {
    const std::string name(241, 'g');  // "[CreateGroup(" + 241 + ")]" = 256
    sent = ProgmanCreateGroup(name.c_str(), "");
    longest = ProgmanCreateGroup(std::string(240, 'g').c_str(), nullptr);  // 255 exactly
    withIcon = ProgmanAddItem("C:\\A.EXE", "A", "C:\\A.ICO", 0x10002);
  });
  EXPECT_EQ(sent, 0);
  EXPECT_EQ(longest, 1);
  EXPECT_EQ(withIcon, 1);
  const std::string t = Transcript();
  EXPECT_EQ(t.find(std::string(241, 'g')), std::string::npos);
  EXPECT_NE(t.find("[AddItem(C:\\A.EXE,A,C:\\A.ICO,2)]"), std::string::npos) << t;
}

TEST_F(ProgramGroupTest, TheServiceRefusesWhatItCannotCarryOut) {
  Make();
  PutFile("C:\\X.EXE", "program");
  Run([] {
    for (const char* command :
         {"[Reload()]", "[CreateGroup(a]", "[AddItem()]", "CreateGroup(x)", "[ShowGroup(Nope,1)]",
          "[CreateGroup(G)][AddItem(C:\\MISSING.EXE,M)]",
          "[CreateGroup(G)][AddItem(C:\\X.EXE,X)][ShowGroup(G,one)]"})
      SendProgmanCommand(command);
  });
  const std::string t = Transcript();
  EXPECT_EQ(t.find("\": done"), std::string::npos) << t;
}

}  // namespace
