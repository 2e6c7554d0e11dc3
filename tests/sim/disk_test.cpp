// The simulated disk: long names without regard to case, 8.3 aliases made
// the Windows way, attributes, renames and profile strings.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "platform/port.h"
#include "platform/sim/disk.h"
#include "support/machine_fixture.h"

namespace {

TEST(AliasTest, MadeAsWindowsMakesThem) {
  struct Case {
    const char* name;
    int number;
    const char* alias;
  } cases[] = {
      {"Program Files", 1, "PROGRA~1"}, {"Program Files", 2, "PROGRA~2"},
      {"zelvane.config.txt", 1, "ZELVAN~1.TXT"}, {"My Documents", 10, "MYDOC~10"},
      {"a+b=c.htm1", 1, "A_B_C~1.HTM"},
  };
  for (const Case& c : cases) EXPECT_EQ(sim::MakeAlias(c.name, c.number), c.alias) << c.name;
  EXPECT_TRUE(sim::IsShortName("ZV32.EXE"));
  EXPECT_TRUE(sim::IsShortName("readme"));
  EXPECT_FALSE(sim::IsShortName("Program Files"));
  EXPECT_FALSE(sim::IsShortName("SETUP.EXE1"));
}

TEST(PatternTest, DosWildcards) {
  EXPECT_TRUE(sim::MatchesPattern("COMMAND", "*.*"));
  EXPECT_TRUE(sim::MatchesPattern("kernel32.dll", "*.DLL"));
  EXPECT_TRUE(sim::MatchesPattern("ZV32.EXE", "ZV??.EXE"));
  EXPECT_FALSE(sim::MatchesPattern("ZV32.EXE", "*.COM"));
}

class DiskTest : public MachineTest {};

TEST_F(DiskTest, SecondLongNameOfAKindGetsTheNextAlias) {
  Make();
  PutFile("C:\\Program Files\\Zelvane\\ZV32.EXE", "x");
  PutFile("C:\\Programs Old\\X.TXT", "x");
  RunProcess([] {
    char out[260];
    ASSERT_GT(port::ShortPathName("c:\\program files\\zelvane\\zv32.exe", out, sizeof out), 0u);
    EXPECT_STREQ(out, "C:\\PROGRA~1\\ZELVANE\\ZV32.EXE");
    ASSERT_GT(port::ShortPathName("C:\\Programs Old\\", out, sizeof out), 0u);
    EXPECT_STREQ(out, "C:\\PROGRA~2\\");
    // An alias names the file as well as its long name does.
    EXPECT_NE(port::FileAttributes("C:\\PROGRA~1\\ZELVANE\\ZV32.EXE"), port::InvalidAttributes);
    EXPECT_EQ(port::ShortPathName("C:\\No Such Folder", out, sizeof out), 0u);
  });
  // Aliases stay what they were once given, also in a later run.
  machine_.reset();
  PutFile("C:\\Program Data\\Y.TXT", "y");
  RunProcess([] {
    char out[260];
    port::ShortPathName("C:\\Program Data", out, sizeof out);
    EXPECT_STREQ(out, "C:\\PROGRA~3");
  });
}

TEST_F(DiskTest, ReadOnlyFilesResistDeletionAndRenamesNeverReplace) {
  Make();
  PutFile("C:\\A.TXT", "a");
  PutFile("C:\\B.TXT", "b");
  RunProcess([] {
    ASSERT_TRUE(port::SetAttributes("C:\\A.TXT", port::AttrReadOnly));
    EXPECT_FALSE(port::RemoveFile("C:\\a.txt"));
    EXPECT_FALSE(port::RenameFile("C:\\B.TXT", "C:\\A.TXT"));
    EXPECT_TRUE(port::RenameFile("C:\\B.TXT", "C:\\C.TXT"));
    EXPECT_EQ(port::FileAttributes("C:\\B.TXT"), port::InvalidAttributes);
  });
  std::string c;
  ASSERT_TRUE(ReadFile("C:\\C.TXT", c));
  EXPECT_EQ(c, "b");
}

TEST_F(DiskTest, ProfileStringsKeepTheRestOfTheFile) {
  Make();
  PutFile("C:\\ZV.INI", "; kept\r\n[Path]\r\nZelvane=C:\\ZV\\\r\n\r\n[Other]\r\nx=1\r\n");
  RunProcess([] {
    char buf[8];
    port::ReadProfileString("C:\\ZV.INI", "path", "ZELVANE", "", buf, sizeof buf);
    EXPECT_STREQ(buf, "C:\\ZV\\");
    port::ReadProfileString("C:\\ZV.INI", "Path", "Windows 95", "none  ", buf, sizeof buf);
    EXPECT_STREQ(buf, "none");
    port::WriteProfileString("C:\\ZV.INI", "Path", "Windows 95", "C:\\WINDOWS");
    port::ReadProfileString("C:\\ZV.INI", "Path", "Windows 95", "", buf, 4);
    EXPECT_STREQ(buf, "C:\\");
  });
  std::string text;
  ASSERT_TRUE(ReadFile("C:\\ZV.INI", text));
  EXPECT_EQ(text,
            "; kept\r\n[Path]\r\nZelvane=C:\\ZV\\\r\nWindows 95=C:\\WINDOWS\r\n\r\n[Other]\r\nx=1\r\n");
}

TEST_F(DiskTest, NthOperationOfAKindCanBeMadeToFail) {
  Make();
  SetMachineIni("Faults", "open", "2");
  PutFile("C:\\A.TXT", "a");
  RunProcess([] {
    port::File f = port::OpenFile("C:\\A.TXT", port::GenericRead, port::ShareRead, port::OpenExisting);
    ASSERT_NE(f, port::InvalidFile);
    port::CloseFile(f);
    EXPECT_EQ(port::OpenFile("C:\\A.TXT", port::GenericRead, port::ShareRead, port::OpenExisting),
              port::InvalidFile);
  });
  EXPECT_NE(Transcript().find("fault: open 2 fails"), std::string::npos);
}

TEST_F(DiskTest, EveryOperationFromTheNthOnCanBeMadeToFail) {
  Make();
  SetMachineIni("Faults", "write", "2+");
  RunProcess([] {
    port::File f = port::OpenFile("C:\\A.TXT", port::GenericWrite, 0, port::CreateAlways);
    EXPECT_EQ(port::WriteTo(f, "a", 1), 1u);
    EXPECT_EQ(port::WriteTo(f, "b", 1), 0u);
    EXPECT_EQ(port::WriteTo(f, "c", 1), 0u);
    port::CloseFile(f);
  });
  std::string text;
  ASSERT_TRUE(ReadFile("C:\\A.TXT", text));
  EXPECT_EQ(text, "a");
  const std::string transcript = Transcript();
  EXPECT_NE(transcript.find("fault: write 2 fails\nfault: write 3 fails\n"), std::string::npos)
      << transcript;
}

TEST_F(DiskTest, SharingIsEnforcedBetweenOpenHandles) {
  Make();
  PutFile("C:\\A.TXT", "a");
  RunProcess([] {
    port::File reader =
        port::OpenFile("C:\\A.TXT", port::GenericRead, port::ShareRead, port::OpenExisting);
    EXPECT_EQ(port::OpenFile("C:\\A.TXT", port::GenericWrite, port::ShareRead, port::OpenExisting),
              port::InvalidFile);
    port::File second =
        port::OpenFile("C:\\A.TXT", port::GenericRead, port::ShareRead, port::OpenExisting);
    EXPECT_NE(second, port::InvalidFile);
    port::CloseFile(second);
    port::CloseFile(reader);
  });
}

TEST_F(DiskTest, SearchOrderIsStableWithDotsFirst) {
  Make();
  PutFile("C:\\D\\b.exe", "");
  PutFile("C:\\D\\A.DLL", "");
  RunProcess([] {
    port::FoundEntry e{};
    port::Search s = port::FindFirstEntry("C:\\D\\*.*", e);
    ASSERT_NE(s, 0u);
    std::string names = e.name;
    while (port::FindNextEntry(s, e)) names += std::string(" ") + e.name;
    port::FindEnd(s);
    EXPECT_EQ(names, ". .. A.DLL b.exe");
    EXPECT_EQ(port::FindFirstEntry("C:\\NONE\\*.*", e), 0u);
  });
}

// A name is found through an index of its folder, which has to follow every
// change: the machine's own, and those made on the host behind its back.
TEST_F(DiskTest, NamesAreFoundAfterCreationsDeletionsAndRenamesInAnyCase) {
  Make();
  PutFile("C:\\Data\\Alpha.txt", "a");
  RunProcess([this] {
    auto there = [](const char* path) {
      return port::FileAttributes(path) != port::InvalidAttributes;
    };
    EXPECT_TRUE(there("c:\\DATA\\aLPHA.TXT"));
    EXPECT_FALSE(there("C:\\Data\\New Name.txt"));
    port::CloseFile(port::OpenFile("C:\\Data\\New Name.txt", port::GenericWrite, 0,
                                   port::CreateAlways));
    EXPECT_TRUE(there("C:\\DATA\\NEW NAME.TXT"));
    EXPECT_TRUE(port::RenameFile("c:\\data\\alpha.TXT", "C:\\Data\\Beta.txt"));
    EXPECT_FALSE(there("C:\\Data\\Alpha.txt"));
    EXPECT_TRUE(there("C:\\Data\\BETA.TXT"));
    EXPECT_TRUE(port::RemoveFile("C:\\DATA\\beta.txt"));
    EXPECT_FALSE(there("C:\\Data\\Beta.txt"));
    // A name made again takes the spelling it is made with.
    for (const char* again : {"C:\\Data\\ALPHA.TXT", "c:\\data\\BETA.txt"})
      port::CloseFile(port::OpenFile(again, port::GenericWrite, 0, port::CreateAlways));
    EXPECT_TRUE(port::CopyFileTo("c:\\data\\new name.TXT", "C:\\Data\\Gamma.TXT", true));
    EXPECT_TRUE(there("c:\\data\\gamma.txt"));
    // A folder renamed takes what is below it along.
    EXPECT_TRUE(port::RenameFile("C:\\Data", "C:\\Moved"));
    EXPECT_FALSE(there("C:\\Data\\Gamma.TXT"));
    EXPECT_TRUE(there("C:\\moved\\GAMMA.txt"));
    // Put there by something else while the program runs: the folder's time
    // stamp moves on.
    const std::filesystem::path moved = folder_ + "/disk/C/Moved";
    const auto stamp = std::filesystem::last_write_time(moved);
    PutFile("C:\\Moved\\Other.txt", "o");
    std::filesystem::last_write_time(moved, stamp + std::chrono::seconds(1));
    EXPECT_TRUE(there("C:\\MOVED\\OTHER.TXT"));
  });
  // Each name is found as it was written.
  for (const char* line : {"file C:\\Data\\ALPHA.TXT: written", "file C:\\Data\\BETA.txt: written",
                           "file C:\\Data\\Gamma.TXT: copied from C:\\Data\\New Name.txt"})
    EXPECT_NE(Transcript().find(line), std::string::npos) << line << "\n" << Transcript();
  // Put there between two runs.
  PutFile("C:\\Moved\\Late.txt", "l");
  RunProcess([] { EXPECT_NE(port::FileAttributes("c:\\moved\\LATE.TXT"), port::InvalidAttributes); });
}

}  // namespace
