#include <string>
#include <vector>

#include "support/machine_fixture.h"
#include "platform/port.h"
#include "services/zvio/zvio.h"

namespace {

class ZvioTest : public MachineTest {
 protected:
  void SetUp() override { Boot(sim::MachineKind::Windows95); }
};

// Lines as my_gets delivers them with the product's 180-character buffer.
std::vector<std::string> ReadLines(const char* path) {
  std::vector<std::string> lines;
  void* in = my_open(path, ZvioText, ZvioPermitRead);
  EXPECT_NE(in, ZvioFailed);
  if (in == ZvioFailed) return lines;
  char line[180];
  while (!my_eof(in)) {
    if (my_gets(in, sizeof line, line)) lines.push_back(line);
  }
  my_close(in);
  return lines;
}

// The boot-file editors' loop: every line read is written as read.
void CopyLines(const char* from, const char* to) {
  void* in = my_open(from, ZvioText, ZvioPermitRead);
  ASSERT_NE(in, ZvioFailed);
  void* out = my_open(to, ZvioText | ZvioTruncate | ZvioReadWrite);
  ASSERT_NE(out, ZvioFailed);
  char line[180];
  while (!my_eof(in)) {
    if (my_gets(in, sizeof line, line)) my_puts(out, line);
  }
  my_close(out);
  my_close(in);
}

TEST_F(ZvioTest, LinesOfADosTextFile) {
  const std::string longLine(300, 'x');
  Run([&] {
    WriteWholeFile("C:\\AUTOEXEC.BAT", "@ECHO OFF\r\n\r\n" + longLine + "\r\nSET A=1\r\nLAST");
    const std::vector<std::string> lines = ReadLines("C:\\AUTOEXEC.BAT");
    // The long line comes cut to the buffer, and the next line follows it.
    const std::vector<std::string> expected = {"@ECHO OFF", "", std::string(179, 'x'),
                                               "SET A=1", "LAST"};
    EXPECT_EQ(lines, expected);
  });
}

TEST_F(ZvioTest, CopyLoopKeepsEveryLineWhole) {
  const std::string text = "REM " + std::string(5000, 'a') + "\r\n\r\nPATH C:\\DOS\r\n" +
                           std::string(179, 'b') + "\r\n" + std::string(180, 'c') + "\r\n" +
                           "CR\rINSIDE\r\n" + std::string("ZERO\0BYTE\r\n\0\r\n", 14);
  Run([&] {
    WriteWholeFile("C:\\AUTOEXEC.BAT", text);
    CopyLines("C:\\AUTOEXEC.BAT", "C:\\AUTOEXEC.ZV");
    EXPECT_EQ(ReadWholeFile("C:\\AUTOEXEC.ZV"), text);
  });
}

TEST_F(ZvioTest, TextModeLineEnds) {
  Run([] {
    // Bare line feeds read as line ends and are written back as CR LF; the
    // last line without a line end gets one; Ctrl-Z ends the text.
    WriteWholeFile("C:\\WININIT.INI", "[rename]\nNUL=C:\\X.TMP\r\nEND\x1Atrailing");
    CopyLines("C:\\WININIT.INI", "C:\\WININIT.TMP");
    EXPECT_EQ(ReadWholeFile("C:\\WININIT.TMP"), "[rename]\r\nNUL=C:\\X.TMP\r\nEND\r\n");

    void* in = my_open("C:\\WININIT.INI", ZvioText, ZvioPermitRead);
    char bytes[64] = {};
    EXPECT_EQ(my_read(in, bytes, sizeof bytes), 25);
    EXPECT_STREQ(bytes, "[rename]\nNUL=C:\\X.TMP\nEND");
    EXPECT_TRUE(my_eof(in));
    my_close(in);
  });
}

TEST_F(ZvioTest, EmptyFileDeliversNoLine) {
  Run([] {
    WriteWholeFile("C:\\EMPTY.TXT", "");
    void* in = my_open("C:\\EMPTY.TXT", ZvioText, ZvioPermitRead);
    char line[180] = "unchanged";
    EXPECT_TRUE(my_eof(in));
    EXPECT_EQ(my_gets(in, sizeof line, line), 0);
    my_close(in);
  });
}

TEST_F(ZvioTest, PutsWritesOneLineEach) {
  Run([] {
    void* out = my_open("C:\\NEW.TXT", ZvioText | ZvioTruncate | ZvioReadWrite);
    ASSERT_NE(out, ZvioFailed);
    my_puts(out, "C:\\PROGRA~1\\AV\\ZVSTRUP.EXE");
    my_puts(out, "");
    my_close(out);
    EXPECT_EQ(ReadWholeFile("C:\\NEW.TXT"), "C:\\PROGRA~1\\AV\\ZVSTRUP.EXE\r\n\r\n");
  });
}

TEST_F(ZvioTest, RawFilePatchedInPlace) {
  // A driver file: bytes with CR LF and Ctrl-Z in them are not translated.
  std::string driver(1000, '\x1A');
  driver.replace(100, 4, "\r\n\r\n");
  driver.replace(500, 19, std::string(19, 'z'));
  Run([&] {
    WriteWholeFile("C:\\VIGARD.SYS", driver);
    void* f = my_open("C:\\VIGARD.SYS", ZvioReadWrite, ZvioPermitWrite);
    ASSERT_NE(f, ZvioFailed);
    EXPECT_EQ(my_lseek(f, 0, 2), 1000);
    EXPECT_EQ(my_tell(f), 1000);
    EXPECT_TRUE(my_eof(f));
    my_lseek(f, 493, 0);
    char window[512];
    EXPECT_EQ(my_read(f, window, sizeof window), 507);
    EXPECT_EQ(std::string(window + 7, 19), std::string(19, 'z'));
    EXPECT_TRUE(my_eof(f));
    my_lseek(f, 500, 0);
    char patch[] = "c:\\zv\\vigard.drv";
    EXPECT_EQ(my_write(f, patch, sizeof patch), static_cast<int>(sizeof patch));
    EXPECT_EQ(my_tell(f), 500 + static_cast<long>(sizeof patch));
    my_lseek(f, 98, 0);
    EXPECT_EQ(my_read(f, window, 8), 8);
    EXPECT_EQ(std::string(window, 8), std::string("\x1A\x1A\r\n\r\n\x1A\x1A"));
    my_close(f);
    std::string patched = driver;
    patched.replace(500, sizeof patch, patch, sizeof patch);
    EXPECT_EQ(ReadWholeFile("C:\\VIGARD.SYS"), patched);
  });
}

TEST_F(ZvioTest, OpenFlags) {
  Run([] {
    EXPECT_EQ(my_open("C:\\MISSING.TXT", ZvioText, ZvioPermitRead), ZvioFailed);
    EXPECT_EQ(my_open("C:\\MISSING.TXT", ZvioReadWrite), ZvioFailed);
    EXPECT_EQ(port::FileAttributes("C:\\MISSING.TXT"), port::InvalidAttributes);

    // Truncate empties an existing file.
    WriteWholeFile("C:\\OLD.TXT", "old text\r\n");
    void* f = my_open("C:\\OLD.TXT", ZvioText | ZvioTruncate | ZvioReadWrite);
    ASSERT_NE(f, ZvioFailed);
    my_close(f);
    EXPECT_EQ(ReadWholeFile("C:\\OLD.TXT"), "");

    // Exclusive creation refuses an existing file; a file created without
    // write permission ends up read-only.
    EXPECT_EQ(my_open("C:\\OLD.TXT", ZvioCreate | ZvioExclusive | ZvioWriteOnly,
                      ZvioPermitRead | ZvioPermitWrite),
              ZvioFailed);
    f = my_open("C:\\RO.TXT", ZvioCreate | ZvioExclusive | ZvioWriteOnly | ZvioBinary,
                ZvioPermitRead);
    ASSERT_NE(f, ZvioFailed);
    char data[] = "abc";
    EXPECT_EQ(my_write(f, data, 3), 3);
    my_close(f);
    EXPECT_EQ(ReadWholeFile("C:\\RO.TXT"), "abc");
    EXPECT_TRUE(port::FileAttributes("C:\\RO.TXT") & port::AttrReadOnly);

    // Append writes at the end whatever the position.
    f = my_open("C:\\OLD.TXT", ZvioAppend | ZvioReadWrite | ZvioText);
    my_puts(f, "one");
    my_lseek(f, 0, 0);
    my_puts(f, "two");
    my_close(f);
    EXPECT_EQ(ReadWholeFile("C:\\OLD.TXT"), "one\r\ntwo\r\n");
  });
}

TEST_F(ZvioTest, BadHandles) {
  Run([] {
    char buffer[8];
    EXPECT_EQ(my_read(ZvioFailed, buffer, sizeof buffer), 0);
    EXPECT_EQ(my_gets(ZvioFailed, sizeof buffer, buffer), 0);
    EXPECT_EQ(my_close(ZvioFailed), -1);
    EXPECT_TRUE(my_eof(ZvioFailed));
  });
}

// A read or write that fails is not the end of the file: the error indicator
// tells the two apart.
class ZvioFaultTest : public MachineTest {};

TEST_F(ZvioFaultTest, FailedReadAndWriteSetTheErrorIndicator) {
  Make();
  SetMachineIni("Faults", "read", "1");
  SetMachineIni("Faults", "write", "1");
  PutFile("C:\\WININIT.INI", "[rename]\r\n");
  Run([] {
    void* in = my_open("C:\\WININIT.INI", ZvioText, ZvioPermitRead);
    char line[180];
    EXPECT_EQ(my_gets(in, sizeof line, line), 0);
    EXPECT_TRUE(my_error(in));
    my_close(in);

    void* out = my_open("C:\\NEW.TXT", ZvioText | ZvioTruncate | ZvioReadWrite);
    EXPECT_FALSE(my_error(out));
    EXPECT_EQ(my_puts(out, "x"), 0);
    EXPECT_TRUE(my_error(out));
    my_close(out);

    in = my_open("C:\\WININIT.INI", ZvioText, ZvioPermitRead);
    while (my_gets(in, sizeof line, line)) {
    }
    EXPECT_TRUE(my_eof(in));
    EXPECT_FALSE(my_error(in));
    my_close(in);
  });
}

}  // namespace
