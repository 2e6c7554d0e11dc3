// "/runonce" after the restart, and the wait for setup disk 1.
#include <gtest/gtest.h>

#include <filesystem>

#include "frame/registry_layout.h"
#include "preinstall/preinstall_fixture.h"
#include "preinstall/setup_disk.h"

namespace {

constexpr std::uint32_t kLocal = port::HkeyLocalMachine;

class ResumeTest : public PreinstallTest {
 protected:
  // The hand-over of the first run for version 5.1.
  void RecordResume(const char* setupDrv) {
    SetReg(port::HkeyCurrentUser, kUserVendorKey, kTempCurrentVersionValue, "5.1");
    if (setupDrv) SetReg(kLocal, "SOFTWARE|Brackwell|Zelvane|5.1", kSetupDrvValue, setupDrv);
  }
};

const char* const kDiskBoxOkCancel =
    "box \"Zelvane Setup\" [OK Cancel] information, no owner: "
    "\"Insert Zelvane Setup disk 1 in drive A\"";

TEST_F(ResumeTest, DiskInItsDriveStartsSetupWithoutAMessage) {
  Make();
  RecordResume("A:\\");
  // A source directory under another version's key is not this installation's.
  SetReg(kLocal, "SOFTWARE|Brackwell|Zelvane|5.0", kSetupDrvValue, "B:\\");
  EXPECT_EQ(Zvset("/runonce").ending, sim::RunResult::Ending::Exited);
  EXPECT_EQ(Count("box "), 0) << Transcript();
  EXPECT_EQ(Count("program \"A:\\SETUP.EXE\" \"\": started\n"), 1);
}

TEST_F(ResumeTest, NoDiskAsksUntilCancelAndStartsNothing) {
  Make();
  SetMachineIni("Drives", "A", "empty");
  RecordResume("a:\\disk1");  // the drive letter is upper-cased
  Answer("box \"Zelvane Setup\" \"drive A\" OK\nbox \"Zelvane Setup\" \"drive A\" Cancel\n");
  EXPECT_EQ(Zvset("/runonce").ending, sim::RunResult::Ending::Exited);
  EXPECT_EQ(Count(kDiskBoxOkCancel), 2) << Transcript();
  EXPECT_EQ(Count("program "), 0);
}

TEST_F(ResumeTest, DiskPutInBetweenTwoPromptsStartsSetup) {
  Make();
  SetMachineIni("Drives", "A", "empty");
  RecordResume("A:\\");
  Answer("box \"Zelvane Setup\" \"drive A\" OK\n"
         "box \"Zelvane Setup\" \"drive A\" OK then insert \"A\"\n");
  EXPECT_EQ(Zvset("/runonce").ending, sim::RunResult::Ending::Exited);
  EXPECT_EQ(Count(kDiskBoxOkCancel), 2) << Transcript();
  EXPECT_EQ(Count("program \"A:\\SETUP.EXE\" \"\": started\n"), 1);
}

TEST_F(ResumeTest, WithoutSourceDirectoryNothingIsLookedForAndTheUserIsTold) {
  for (const char* setupDrv : {static_cast<const char*>(nullptr), ""}) {
    machine_.reset();
    std::filesystem::remove_all(folder_);
    Make();
    RecordResume(setupDrv);
    Answer("box \"Zelvane Setup\" \"could not find where it was started from\" OK");
    EXPECT_EQ(Zvset("/runonce").ending, sim::RunResult::Ending::Exited) << Transcript();
    EXPECT_EQ(Count("box \"Zelvane Setup\" [OK] exclamation"), 1);
    EXPECT_EQ(Count("program "), 0);
  }
}

TEST_F(ResumeTest, WaitForSetupDiskHasNoCancel) {
  Make();
  SetMachineIni("Drives", "A", "empty");
  Answer("box \"Zelvane Setup\" \"drive A\" OK\n"
         "box \"Zelvane Setup\" \"drive A\" OK then insert \"A\"\n");
  EXPECT_EQ(Stage([] { WaitForSetupDisk("a:"); }).ending, sim::RunResult::Ending::Exited);
  EXPECT_EQ(Count("box \"Zelvane Setup\" [OK] information, no owner: "
                  "\"Insert Zelvane Setup disk 1 in drive A\""),
            2) << Transcript();
  // Now the disk is in: no message.
  const std::size_t before = Transcript().size();
  Stage([] { WaitForSetupDisk("A:\\"); });
  EXPECT_EQ(Transcript().find("box ", before), std::string::npos);
}

}  // namespace
