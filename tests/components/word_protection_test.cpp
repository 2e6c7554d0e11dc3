// The components dialog and the two roads of the Word protection, with the
// template's backup and its keeper.
#include <gtest/gtest.h>

#include <string>

#include "components/word_fixture.h"
#include "components/word_protection.h"

namespace {

constexpr std::uint32_t kMachine = port::HkeyLocalMachine;
const char* const kRecord = "C:\\ZV\\ZVFW.INI";

class WordProtectionTest : public WordTest {
 protected:
  sim::RunResult Dialog() {
    return Stage([] {
      ModuleInstance = 0x400000;
      RunComponentsDialog();
      chosen = std::to_string(WantWordProtection) + "/" + std::to_string(WantShellExtensions);
    });
  }
  sim::RunResult Install() {
    return Stage([] {
      AtInstallDir();
      WantWordProtection = 1;
      installed = InstallWordProtection();
    });
  }
  // Whether the parts occur in the transcript in this order.
  ::testing::AssertionResult InOrder(std::initializer_list<std::string> parts) {
    const std::string t = Transcript();
    std::size_t at = 0;
    for (const std::string& part : parts) {
      const std::size_t next = t.find(part, at);
      if (next == std::string::npos)
        return ::testing::AssertionFailure() << "not in order: " << part << "\n" << t;
      at = next + part.size();
    }
    return ::testing::AssertionSuccess();
  }
  // What the stage left: the backup, the record of the template, the keeper.
  std::string Left() {
    return File("C:\\ZV\\ZVNORM.VOT") + " | " + Ini(kRecord, "WORD", "Global Template") + " | " +
           Reg(kMachine, kRunKey, "ZVFW");
  }
  static std::string chosen;
  static int installed;
};
std::string WordProtectionTest::chosen;
int WordProtectionTest::installed = -1;

TEST_F(WordProtectionTest, NoWordWarnsAndDisablesItsBox) {
  Make();
  Answer("box \"Warning\" OK\n"
         "dialog 149 press 9 check 1023\n");
  const sim::RunResult r = Dialog();
  EXPECT_EQ(r.ending, sim::RunResult::Ending::Stopped);
  EXPECT_NE(r.message.find("1023 is disabled"), std::string::npos) << r.message;
  EXPECT_TRUE(InOrder({"dialog 149 \"Select Components to Install\" opens, no owner:",
                       "  - ICON icon 151", "  1023 AUTOCHECKBOX \"Word macro virus protection.\"",
                       "box \"Warning\" [OK] information, no owner: \"Could not locate MS-Word. If "
                       "you install MS-Word later, load it and open ZVFW.DOC file for macro virus "
                       "protection.\"",
                       "dialog 149: 1023 disabled",
                       "help open \"C:\\ZVSETU~1\\ZVSET.HLP\" at 74498"}));
}

TEST_F(WordProtectionTest, OkReadsBothBoxesAndOtherCommandsCloseHelp) {
  Make();
  InstallOffice97();
  Answer("dialog 149 uncheck 1024 press 9 press 1\n");
  EXPECT_EQ(Dialog().ending, sim::RunResult::Ending::Exited) << Transcript();
  EXPECT_EQ(chosen, "1/0");
  EXPECT_EQ(Count("box "), 0);
  EXPECT_TRUE(InOrder({"  1023 AUTOCHECKBOX \"Word macro virus protection.\" unchecked",
                       "dialog 149: moved to", "  user unchecks 1024", "help quit",
                       "help open \"C:\\ZVSETU~1\\ZVSET.HLP\" at 74498, owner dialog 149",
                       "  user presses 1", "dialog 149: moved to", "help quit",
                       "dialog 149 ends with 1:",
                       "  1023 AUTOCHECKBOX \"Word macro virus protection.\" checked",
                       "  1024 AUTOCHECKBOX \"Shell extensions for desktop icons.\" unchecked"}));
}

TEST_F(WordProtectionTest, WordNamedButItsProgramMissingWarns) {
  Make();
  SetWinIniEmbedding(kWord6Embedding);
  MakeFolder(kWord6);
  Answer("box \"Warning\" OK\ndialog 149 press 1\n");
  EXPECT_EQ(Dialog().ending, sim::RunResult::Ending::Exited) << Transcript();
  EXPECT_EQ(chosen, "0/1");
  EXPECT_EQ(Count("dialog 149: 1023 disabled"), 1);
}

TEST_F(WordProtectionTest, Word97GetsTheTemplateByReplacement) {
  Make();
  InstallOffice97();
  PutProduct();
  EXPECT_EQ(Install().ending, sim::RunResult::Ending::Exited) << Transcript();
  EXPECT_EQ(installed, 1);
  EXPECT_EQ(File(std::string(kOfficeWord) + "\\NORMAL.DOT"), "<missing>");
  EXPECT_EQ(File(std::string(kOfficeWord) + "\\NORMAL.ORG"), "NORMAL.DOT of Word's folder");
  EXPECT_EQ(File(std::string(kOfficeTemplates) + "\\NORMAL.ORG"),
            "NORMAL.DOT of the templates' folder");
  EXPECT_EQ(File(std::string(kOfficeTemplates) + "\\NORMAL.DOT"), "protective template");
  EXPECT_EQ(Left(),
            "protective template | C:\\PROGRA~1\\MICROS~1\\TEMPLA~1\\NORMAL.DOT | "
            "C:\\ZV\\ZVKEEP.EXE");
  EXPECT_EQ(Count("program "), 0);
}

TEST_F(WordProtectionTest, Word97KeepsAnEarlierOriginalAndAReadOnlyBackupIsReplaced) {
  Make();
  InstallOffice97();
  PutProduct();
  PutFile(std::string(kOfficeTemplates) + "\\NORMAL.ORG", "earlier original");
  PutFile("C:\\ZV\\ZVNORM.VOT", "earlier backup");
  Run([] { port::SetAttributes("C:\\ZV\\ZVNORM.VOT", port::AttrReadOnly); });
  EXPECT_EQ(Install().ending, sim::RunResult::Ending::Exited) << Transcript();
  EXPECT_EQ(File(std::string(kOfficeTemplates) + "\\NORMAL.ORG"), "earlier original");
  EXPECT_EQ(File(std::string(kOfficeTemplates) + "\\NORMAL.DOT"), "protective template");
  EXPECT_EQ(Left(),
            "protective template | C:\\PROGRA~1\\MICROS~1\\TEMPLA~1\\NORMAL.DOT | "
            "C:\\ZV\\ZVKEEP.EXE");
}

// Older Word: the installer document reports, the report goes (closed by the
// user or by the document), tips are closed one a tick, then Word's windows.
struct OlderWordCase {
  const char* name;
  const char* behaviour;
  const char* answers;
  const char* reportCloser;
};
void PrintTo(const OlderWordCase& c, std::ostream* out) { *out << c.name; }

const OlderWordCase kOlderWordCases[] = {
    {"UserClosesTheReport", "word tip", "close \"ZVFW Installation Over\"\n", "user"},
    {"DocumentClosesTheReport", "word tip document-closes-report-after 700", "", "ZVFW.DOC"},
};

class OlderWordTest : public WordProtectionTest,
                      public ::testing::WithParamInterface<OlderWordCase> {};

TEST_P(OlderWordTest, WaitsForTheReportThenClosesWord) {
  const OlderWordCase& c = GetParam();
  Make();
  SetMachineIni("Programs", "WINWORD.EXE", c.behaviour);
  SetMachineIni("Top Windows", "WordPad - Notes", "closes");
  SetMachineIni("Top Windows", "ZVFW.INI - Notepad", "closes");
  InstallWord6();
  PutProduct();
  Run([] { port::SetAttributes("C:\\ZV\\ZVFW.DOC", port::AttrReadOnly); });
  if (*c.answers) Answer(c.answers);
  EXPECT_EQ(Install().ending, sim::RunResult::Ending::Exited) << Transcript();
  EXPECT_EQ(installed, 1);
  EXPECT_TRUE(InOrder({"program \"C:\\WINWORD\\WINWORD.EXE\" \"C:\\ZV\\ZVFW.DOC /m /w\": started",
                       "window \"ZVFW Installation Over\": opened by WINWORD.EXE",
                       std::string(c.reportCloser) + " closes window \"ZVFW Installation Over\"",
                       "window \"Tip of the Day\": WM_CLOSE",
                       "window \"Microsoft Word - ZVFW.DOC\": WM_CLOSE",
                       "program WINWORD.EXE: ended"}));
  EXPECT_EQ(Count("WM_CLOSE"), 2) << Transcript();
  EXPECT_EQ(Count("closes window \"WordPad - Notes\""), 0);
  EXPECT_EQ(Count("closes window \"ZVFW.INI - Notepad\""), 0);
  EXPECT_EQ(Left(),
            "NORMAL.DOT of the templates' folder | C:\\WINWORD\\TEMPLATE\\NORMAL.DOT | "
            "C:\\ZV\\ZVKEEP.EXE");
  Run([] {
    EXPECT_EQ(port::FileAttributes("C:\\ZV\\ZVFW.DOC") & port::AttrReadOnly, 0u);
  });
}

INSTANTIATE_TEST_SUITE_P(Cases, OlderWordTest, ::testing::ValuesIn(kOlderWordCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Roads on which nothing is installed: no backup, no record, no keeper.
struct NotInstalledCase {
  const char* name;
  const char* behaviour;
  bool document;      // ZVFW.DOC is in the install directory
  const char* answers;
  const char* shown;  // the box, "" none
};
void PrintTo(const NotInstalledCase& c, std::ostream* out) { *out << c.name; }

const NotInstalledCase kNotInstalledCases[] = {
    {"WordEndsWithoutReport", "word no-report ends-after 5000", true, "", ""},
    {"UserClosesWordEarly", "word", true, "close \"Microsoft Word - ZVFW.DOC\"\n", ""},
    {"WordCannotStart", "cannot start", true, "box \"Error\" OK\n",
     "box \"Error\" [OK] information, no owner: \"Unable to install Word macro virus solution. "
     "Load MS-WORD and open ZVFW.DOC file for macro virus protection.\""},
    {"InstallerDocumentMissing", "word", false, "box \"Setup Error\" OK\n",
     "box \"Setup Error\" [OK] information, no owner: \"Could not locate ZVFW.DOC.\\n\\nUnable to "
     "install Word macro virus solution.\""},
};

class NotInstalledTest : public WordProtectionTest,
                         public ::testing::WithParamInterface<NotInstalledCase> {};

TEST_P(NotInstalledTest, LeavesNoBackupRecordOrKeeper) {
  const NotInstalledCase& c = GetParam();
  Make();
  SetMachineIni("Programs", "WINWORD.EXE", c.behaviour);
  InstallWord6();
  PutProduct();
  if (!c.document) Run([] { port::RemoveFile("C:\\ZV\\ZVFW.DOC"); });
  if (*c.answers) Answer(c.answers);
  EXPECT_EQ(Install().ending, sim::RunResult::Ending::Exited) << Transcript();
  EXPECT_EQ(installed, 0);
  EXPECT_EQ(Count("box "), *c.shown ? 1 : 0) << Transcript();
  if (*c.shown) {
    EXPECT_EQ(Count(c.shown), 1) << Transcript();
  }
  EXPECT_EQ(Left(), "<missing> | <none> | <none>");
  EXPECT_EQ(File("C:\\WINWORD\\TEMPLATE\\NORMAL.DOT"), "NORMAL.DOT of the templates' folder");
}

INSTANTIATE_TEST_SUITE_P(Cases, NotInstalledTest, ::testing::ValuesIn(kNotInstalledCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
