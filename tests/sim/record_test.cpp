// The record of what the program did: the lines both backends write. On the
// simulator they go into the transcript and, when ZVSET_LOG names a file,
// into that log as the Windows build writes its own; the lookups only when
// verbose; a log that cannot be written changes nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/port.h"
#include "support/machine_fixture.h"

namespace fs = std::filesystem;

namespace {

class RecordTest : public MachineTest {
 protected:
  void TearDown() override {
    unsetenv("ZVSET_LOG");
    sim::SetVerboseTranscript(false);
    MachineTest::TearDown();
  }

  // On a fresh machine: a box answered (and a disk the user inserts after
  // it), a value looked up and written, a key looked for, files tested.
  void Act() {
    Make();
    SetMachineIni("Drives", "A", "empty");
    PutFile("C:\\AUTOEXEC.BAT", "");
    Answer("box \"Setup\" OK then insert \"A\"\n");
    Run([] {
      port::ShowMessageBox(0, "Insert the disk", "Setup", port::mb::OkCancel);
      port::RegKey key = 0;
      port::RegCreate(port::HkeyCurrentUser, "Software\\Brackwell", key);
      char value[32];
      std::uint32_t size = sizeof value;
      port::RegQueryString(key, "Type", value, size);
      port::RegSetString(key, "Type", "2", 2);
      size = sizeof value;
      port::RegQueryString(key, "Type", value, size);
      port::RegClose(key);
      port::RegOpen(port::HkeyLocalMachine, "SOFTWARE\\Nothing", key);
      port::FileAttributes("C:\\AUTOEXEC.BAT");
      port::FileAttributes("C:\\NONE.TXT");
    });
  }

  static std::string Read(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(RecordTest, TheLookupsAreShownOnlyWhenVerbose) {
  Act();
  EXPECT_EQ(Transcript(),
            "box \"Setup\" [OK Cancel] no icon, no owner: \"Insert the disk\"\n"
            "  user presses OK\n"
            "user inserts the disk into drive A\n"
            "registry HKEY_CURRENT_USER\\Software\\Brackwell: key created\n"
            "registry HKEY_CURRENT_USER\\Software\\Brackwell: \"Type\" = \"2\"\n");
  sim::SetVerboseTranscript(true);
  Act();
  EXPECT_NE(Transcript().find(
                "registry HKEY_CURRENT_USER\\Software\\Brackwell: \"Type\" read, result 2\n"
                "registry HKEY_CURRENT_USER\\Software\\Brackwell: \"Type\" = \"2\"\n"
                "registry HKEY_CURRENT_USER\\Software\\Brackwell: \"Type\" read, \"2\"\n"
                "registry HKEY_LOCAL_MACHINE\\SOFTWARE\\Nothing: looked up, result 2\n"
                "file C:\\AUTOEXEC.BAT: looked up, a file\n"
                "file C:\\NONE.TXT: looked up, not found\n"),
            std::string::npos)
      << Transcript();
}

// What the simulated user did is the simulator's own: the log holds what the
// program did, as the Windows build's log does, run after run.
TEST_F(RecordTest, TheLogTakesTheProgramsLinesAndGrowsWithEachRun) {
  const std::string log = folder_ + "-zvset.log";
  setenv("ZVSET_LOG", log.c_str(), 1);
  Act();
  const std::string once =
      "box \"Setup\" [OK Cancel] no icon, no owner: \"Insert the disk\"\n"
      "  user presses OK\n"
      "registry HKEY_CURRENT_USER\\Software\\Brackwell: key created\n"
      "registry HKEY_CURRENT_USER\\Software\\Brackwell: \"Type\" = \"2\"\n";
  EXPECT_EQ(Read(log), once);
  Act();
  EXPECT_EQ(Read(log), once + once);
  fs::remove(log);
}

// Names that come from input (here a file's) are shown as the program got
// them, but no byte of them can break a line or forge another.
TEST_F(RecordTest, NamesFromInputCannotForgeALine) {
  Make();
  PutFile("C:\\OLD.TXT", "");
  Run([] {
    port::RenameFile("C:\\OLD.TXT", "C:\\NEW\nexit code 0\t\xe9.TXT");
    port::RegKey key = 0;
    port::RegCreate(port::HkeyCurrentUser, "Software\\A\rB", key);
    port::RegClose(key);
  });
  EXPECT_EQ(Transcript(),
            "file C:\\OLD.TXT: renamed to C:\\NEW\\x0aexit code 0\\x09\\xe9.TXT\n"
            "registry HKEY_CURRENT_USER\\Software\\A\\x0dB: key created\n");
}

TEST_F(RecordTest, ALogThatCannotBeWrittenChangesNothing) {
  Act();
  const std::string transcript = Transcript();
  const std::string folder = folder_ + "-not-a-file";
  fs::create_directory(folder);
  setenv("ZVSET_LOG", folder.c_str(), 1);
  Act();
  EXPECT_EQ(Transcript(), transcript);
  fs::remove(folder);
}

}  // namespace
