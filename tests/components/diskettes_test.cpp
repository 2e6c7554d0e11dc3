// The diskette stage: its roads through the drive dialog, the prompts and
// the rescue library, and what ends up on the diskette.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "components/components_fixture.h"
#include "components/diskettes.h"

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

constexpr const char* kFullLibrary =
    "simulated library\r\nexport RescueCreate\r\nexport CreateEmergencyDisk\r\n";
constexpr const char* kWithoutRescueCreate = "simulated library\r\nexport CreateEmergencyDisk\r\n";

class DisketteTest : public ComponentsTest {
 protected:
  // The stage, from C:\WINDOWS as the current directory, which it must give back.
  void MakeThem(int rescue, int emergency) {
    Stage([&] {
      WantRescueDisk = rescue;
      WantEmergencyDisk = emergency;
      port::ChangeDirectory("C:\\WINDOWS");
      MakeDiskettes();
      floppy_ = FloppyDrive;
      char dir[260] = "";
      port::CurrentDirectory(dir, sizeof dir);
      directory_ = dir;
    });
  }
  // What the user saw and did, shortly: each box by its title and the button
  // pressed, each dialog by its template and result.
  Lines Road() const {
    Lines road;
    for (const std::string& line : TranscriptLines({"box \"", "  user presses ", "dialog 135 ends",
                                          "dialog 165 ends"})) {
      if (line.rfind("box \"", 0) == 0) {
        road.push_back(line.substr(5, line.find('"', 5) - 5));
      } else if (line.rfind("  user presses ", 0) == 0) {
        if (!road.empty() && road.back().find('=') == std::string::npos &&
            road.back().find(" > ") == std::string::npos)
          road.back() += " > " + line.substr(15);
      } else {
        road.push_back(line.substr(7, 3) + "=" + line.substr(21, line.size() - 22));
      }
    }
    return road;
  }
  Lines Diskette(char drive) const {
    Lines names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder_ + "/disk/" + std::string(1, drive), ec))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  void Sectors() {
    fs::create_directories(folder_ + "/sectors");
    std::string sector(512, '\0');
    for (int i = 0; i < 512; ++i) sector[i] = static_cast<char>(i * 7);
    std::ofstream(folder_ + "/sectors/disk0.bin", std::ios::binary) << sector;
    std::ofstream(folder_ + "/sectors/C.bin", std::ios::binary) << sector;
  }
  int floppy_ = 99;
  std::string directory_;
};

struct Setting {
  std::string section, key, value;
};

struct RoadCase {
  const char* name;
  std::vector<Setting> ini;
  const char* library;  // nullptr: no ZVRESCUE.DLL in the install directory
  int rescue, emergency;
  const char* answers;
  Lines road;
  int floppy;
  char drive;  // the diskette whose files are checked
  Lines files;
  bool oldFiles = false;  // the diskette holds rescue files of an earlier day
};

const Lines kRescueFiles = {"SETUP.EXE", "boot.inf", "cmos.inf", "part.inf"};
const Lines kUntouched = {"SETUP.EXE"};

const RoadCase kRoads[] = {
    {"DriveBOnly",
     {{"Drives", "A", "absent"}, {"Drives", "B", "diskette"}},
     kFullLibrary, 1, 0,
     "dialog 135 press 1\nbox \"Insert Rescue Diskette\" OK\ndialog 165 escape press 1\n",
     {"135=1", "Insert Rescue Diskette > OK", "165=1"}, 1, 'B',
     {"boot.inf", "cmos.inf", "part.inf"}},
    {"DrivesAAndBTheUserTakesB",
     {{"Drives", "B", "diskette"}},
     kFullLibrary, 0, 1,
     "dialog 135 check 1006 press 1\nbox \"Insert Emergency Diskette\" OK\n",
     {"135=1", "Insert Emergency Diskette > OK"}, 1, 'B',
     {"AUTOEXEC.ZV", "CONFIG.ZV", "EMERGNCY.TXT", "SYSTEM.ZV", "WIN.ZV"}},
    {"CancelAtOnce", {}, kFullLibrary, 1, 1, "dialog 135 press 2\n", {"135=-1"}, -1, 'A',
     kUntouched},
    {"CancelAfterAnEmptyDrive",
     {{"Drives", "A", "empty"}},
     kFullLibrary, 1, 0,
     "dialog 135 press 1\nbox \"Insert Rescue Diskette\" OK\ndialog 135 escape\n",
     {"135=0", "Insert Rescue Diskette > OK", "135=-1"}, -1, 'A', kUntouched},
    {"TheDisketteGoesInAtTheSecondPrompt",
     {{"Drives", "A", "empty"}},
     kFullLibrary, 1, 0,
     "dialog 135 press 1\nbox \"Insert Rescue Diskette\" OK\ndialog 135 press 1\n"
     "box \"Insert Rescue Diskette\" OK then insert \"A\"\ndialog 165 press 1\n",
     {"135=0", "Insert Rescue Diskette > OK", "135=0", "Insert Rescue Diskette > OK", "165=1"},
     0, 'A', kRescueFiles},
    {"AWriteProtectedDisketteIsAskedForAgain",
     {{"Drives", "A", "write-protected"}},
     kFullLibrary, 1, 0,
     "dialog 135 press 1\nbox \"Insert Rescue Diskette\" OK\ndialog 135 press 2\n",
     {"135=0", "Insert Rescue Diskette > OK", "135=-1"}, -1, 'A', kUntouched},
    {"RescueNotWrittenIsNotAskedAgain",
     {{"Rescue Library", "RescueCreate", "0"}},
     kFullLibrary, 1, 0, "dialog 135 press 1\nbox \"Insert Rescue Diskette\" OK\n",
     {"135=0", "Insert Rescue Diskette > OK"}, 0, 'A', kUntouched},
    {"RescueCreateAsksForTheDriveAgain",
     {{"Rescue Library", "RescueCreate", "-1"}},
     kFullLibrary, 1, 0,
     "dialog 135 press 1\nbox \"Insert Rescue Diskette\" OK\ndialog 135 press 2\n",
     {"135=0", "Insert Rescue Diskette > OK", "135=-1"}, -1, 'A', kUntouched},
    {"RescueMadeEmergencyFailing",
     {{"Rescue Library", "CreateEmergencyDisk", "0"}},
     kFullLibrary, 1, 1,
     "dialog 135 press 1\nbox \"Insert Rescue Diskette\" OK\ndialog 165 press 1\n"
     "box \"Insert Emergency Diskette\" OK\ndialog 135 press 1\n"
     "box \"Insert Emergency Diskette\" OK\ndialog 135 press 2\n",
     {"135=0", "Insert Rescue Diskette > OK", "165=1", "Insert Emergency Diskette > OK", "135=0",
      "Insert Emergency Diskette > OK", "135=-1"},
     -1, 'A', kRescueFiles},
    {"RescueZeroAndEmergencyFailingTriesBothAgain",
     {{"Rescue Library", "RescueCreate", "0"}, {"Rescue Library", "CreateEmergencyDisk", "0"}},
     kFullLibrary, 1, 1,
     "dialog 135 press 1\nbox \"Insert Rescue Diskette\" OK\nbox \"Insert Emergency Diskette\" OK\n"
     "dialog 135 press 1\nbox \"Insert Rescue Diskette\" OK\nbox \"Insert Emergency Diskette\" OK\n"
     "dialog 135 press 2\n",
     {"135=0", "Insert Rescue Diskette > OK", "Insert Emergency Diskette > OK", "135=0",
      "Insert Rescue Diskette > OK", "Insert Emergency Diskette > OK", "135=-1"},
     -1, 'A', kUntouched},
    {"NoDrive",
     {{"Drives", "A", "absent"}},
     kFullLibrary, 1, 1, "box \"No Floppy Drive Detected\" OK\n",
     {"No Floppy Drive Detected > OK", "135=-1"}, -1, 'A', kUntouched},
    {"LibraryMissing", {}, nullptr, 1, 0,
     "dialog 135 press 1\nbox \"Insert Rescue Diskette\" OK\nbox \"Error\" OK\n",
     {"135=0", "Insert Rescue Diskette > OK", "Error > OK"}, 0, 'A', kUntouched, true},
    {"LibraryWithoutRescueCreate", {}, kWithoutRescueCreate, 1, 0,
     "dialog 135 press 1\nbox \"Insert Rescue Diskette\" OK\nbox \"Error\" OK\n",
     {"135=0", "Insert Rescue Diskette > OK", "Error > OK"}, 0, 'A', kUntouched, true},
    // Cancelled before anything was deleted.
    {"DriveNotReadyRetryThenCancel",
     {{"Drives", "A", "unreadable"}},
     kFullLibrary, 1, 0,
     "dialog 135 press 1\nbox \"Insert Rescue Diskette\" OK\nbox \"Drive not ready\" Retry\n"
     "box \"Drive not ready\" Cancel\n",
     {"135=0", "Insert Rescue Diskette > OK", "Drive not ready > Retry",
      "Drive not ready > Cancel"},
     0, 'A', {"SETUP.EXE", "boot.inf", "cmos.inf", "part.inf"}, true},
};

void PrintTo(const RoadCase& c, std::ostream* out) { *out << c.name; }

class DisketteRoads : public DisketteTest, public ::testing::WithParamInterface<RoadCase> {};

TEST_P(DisketteRoads, BoxesDialogsDriveAndDiskette) {
  const RoadCase& c = GetParam();
  Install(sim::MachineKind::Windows95);
  Sectors();
  for (const auto& e : c.ini) {
    if (e.section == "Drives" && e.value == "diskette")
      fs::create_directories(folder_ + "/disk/" + e.key);
    else
      SetMachineIni(e.section, e.key, e.value);
  }
  if (c.library) PutFile("C:\\ZV\\ZVRESCUE.DLL", c.library);
  if (c.oldFiles)
    for (const char* name : {"part.inf", "boot.inf", "cmos.inf"})
      std::ofstream(folder_ + "/disk/" + std::string(1, c.drive) + "/" + name) << "old";
  Answer(c.answers);
  MakeThem(c.rescue, c.emergency);
  EXPECT_EQ(Road(), c.road) << Transcript();
  EXPECT_EQ(floppy_, c.floppy);
  EXPECT_EQ(Diskette(c.drive), c.files) << Transcript();
  EXPECT_EQ(directory_, "C:\\WINDOWS");
  EXPECT_TRUE(TranscriptLines({"system box"}).empty()) << Transcript();
}

INSTANTIATE_TEST_SUITE_P(Roads, DisketteRoads, ::testing::ValuesIn(kRoads),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DisketteTest, NothingWantedShowsNothing) {
  Install(sim::MachineKind::Windows95);
  MakeThem(0, 0);
  EXPECT_TRUE(Road().empty()) << Transcript();
  EXPECT_EQ(floppy_, -1);
}

TEST_F(DisketteTest, TheDriveDialogOfEditionThreeSpeaksOfBothDiskettes) {
  Install(sim::MachineKind::Windows95, "3");
  Answer("dialog 135 press 2\n");
  MakeThem(1, 1);
  EXPECT_EQ(TranscriptLines({"dialog 135: 1025 text"}),
            Lines{"dialog 135: 1025 text \"Select the target drive for creating Emergency/ Rescue "
                  "diskettes.  If you choose Cancel, you can create them after installation from "
                  "within the Zelvane scanner.\""})
      << Transcript();
}

TEST_F(DisketteTest, DriveBOnlyHidesDriveA) {
  Install(sim::MachineKind::Windows95);
  SetMachineIni("Drives", "A", "absent");
  fs::create_directories(folder_ + "/disk/B");
  Answer("dialog 135 press 2\n");
  MakeThem(1, 0);
  EXPECT_EQ(ControlsAfter("dialog 135 ends with -1:"),
            (Lines{"  1005 AUTORADIOBUTTON \"Drive &A\" unchecked hidden",
                   "  1006 AUTORADIOBUTTON \"Drive &B\" checked"}))
      << Transcript();
}

// The probe switches the system's own box off; a plain look at an empty
// drive would show it.
TEST_F(DisketteTest, ProbingAnEmptyDriveShowsNoSystemBox) {
  Install(sim::MachineKind::Windows95);
  SetMachineIni("Drives", "A", "empty");
  int probed = -1;
  Stage([&] {
    probed = ProbeDrive(0);
    port::FileAttributes("A:\\.");
  });
  EXPECT_EQ(probed, 0);
  EXPECT_EQ(TranscriptLines({"system box"}), Lines{"system box: drive A is not ready"})
      << Transcript();
}

TEST_F(DisketteTest, TheMessagesWithTheirTitlesIconsAndOwners) {
  Install(sim::MachineKind::Windows95);
  SetMachineIni("Drives", "A", "unreadable");
  Answer("dialog 135 press 1\nbox \"Insert Rescue Diskette\" OK\nbox \"Drive not ready\" Cancel\n");
  MakeThem(1, 0);
  EXPECT_EQ(TranscriptLines({"box "}),
            (Lines{"box \"Insert Rescue Diskette\" [OK] no icon, no owner: \"Setup is now ready to "
                   "create a Rescue diskette.\\nInsert the diskette in drive A and press OK to "
                   "continue.\"",
                   "box \"Drive not ready\" [Retry Cancel] exclamation, no owner: \"Cannot read "
                   "drive A.\\n\\nPlease verify the drive door is closed and that\\nthe disk is "
                   "formatted and free of errors.\""}))
      << Transcript();
}

// Without the privilege to read the raw disk, the rescue library writes what
// it can, marks what it could not read, and reports the diskette unwritten.
TEST_F(DisketteTest, ARefusedDiskReadIsMarkedAndCountsAsNotWritten) {
  Install(sim::MachineKind::Windows95);
  PutFile("C:\\ZV\\ZVRESCUE.DLL", kFullLibrary);
  Answer("dialog 135 press 1\nbox \"Insert Rescue Diskette\" OK\n");
  MakeThem(1, 0);
  EXPECT_EQ(Road(), (Lines{"135=0", "Insert Rescue Diskette > OK"})) << Transcript();
  std::string part;
  ASSERT_TRUE(ReadFile("A:\\part.inf", part));
  EXPECT_EQ(part,
            "Zelvane rescue information: partition table of the first hard disk\r\n"
            "Status: not read (the system refused to read the disk)\r\nBytes: 0\r\n\r\n");
}

// A rescue file whose bytes the diskette does not take whole is not left
// there cut short: the diskette holds each file whole or not at all.
TEST_F(DisketteTest, ARescueFileNotWrittenWholeIsNotLeftOnTheDiskette) {
  const char* const names[] = {"A:\\part.inf", "A:\\boot.inf", "A:\\cmos.inf"};
  std::map<std::string, std::string> whole;
  for (const char* failing : {"", "1", "2", "3", "1+"}) {
    SCOPED_TRACE(std::string("[Faults] write=") + failing);
    Install(sim::MachineKind::Windows95);
    Sectors();
    PutFile("C:\\ZV\\ZVRESCUE.DLL", kFullLibrary);
    if (*failing) SetMachineIni("Faults", "write", failing);
    Answer("dialog 135 press 1\nbox \"Insert Rescue Diskette\" OK\ndialog 165 press 1\n");
    MakeThem(1, 0);
    for (const char* name : names) {
      std::string bytes;
      const bool there = ReadFile(name, bytes);
      if (!*failing) {
        whole[name] = bytes;
      } else if (there) {
        EXPECT_EQ(bytes, whole[name]) << name;
      }
    }
    if (*failing) {
      EXPECT_EQ(Road(), (Lines{"135=0", "Insert Rescue Diskette > OK"})) << Transcript();
    }
  }
}

TEST_F(DisketteTest, TheRescueFilesHoldWhatWasRead) {
  Install(sim::MachineKind::Windows95);
  Sectors();
  PutFile("C:\\ZV\\ZVRESCUE.DLL", kFullLibrary);
  Answer("dialog 135 press 1\nbox \"Insert Rescue Diskette\" OK\ndialog 165 press 1\n");
  MakeThem(1, 0);
  std::string part, boot, cmos;
  ASSERT_TRUE(ReadFile("A:\\part.inf", part));
  ASSERT_TRUE(ReadFile("A:\\boot.inf", boot));
  ASSERT_TRUE(ReadFile("A:\\cmos.inf", cmos));
  const std::string header =
      "Zelvane rescue information: partition table of the first hard disk\r\n"
      "Status: read\r\nBytes: 66\r\n\r\n";
  ASSERT_EQ(part.size(), header.size() + 66);
  EXPECT_EQ(part.substr(0, header.size()), header);
  EXPECT_EQ(static_cast<unsigned char>(part[header.size()]), (446 * 7) & 0xFF);
  EXPECT_EQ(boot.size(), std::string("Zelvane rescue information: boot record of drive C:\r\n"
                                     "Status: read\r\nBytes: 512\r\n\r\n")
                                 .size() +
                             512);
  EXPECT_EQ(cmos,
            "Zelvane rescue information: machine setup\r\n"
            "Status: partial (the setup memory itself cannot be read by a Windows program)\r\n"
            "System: Windows 95\r\nDiskette drives: A\r\nDrives: C\r\n");
}

}  // namespace
