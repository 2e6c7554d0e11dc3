// The Explorer scan commands under HKEY_CLASSES_ROOT.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "components/shell_extensions.h"
#include "frame/paths.h"
#include "frame/setup_state.h"
#include "preinstall/preinstall_fixture.h"

namespace {

constexpr std::uint32_t kClasses = port::HkeyClassesRoot;
const char* const kCommand = "C:\\SCAN\\ZV32.EXE /Zv32Scan%1";

class ShellExtensionsTest : public PreinstallTest {
 protected:
  void Install(int want) {
    ASSERT_EQ(Stage([&] {
                CopyText(InstallDir, sizeof InstallDir, "C:\\SCAN\\");
                WantShellExtensions = want;
                InstallShellExtensions();
              }).ending,
              sim::RunResult::Ending::Exited);
  }
  std::string Verb(const std::string& type) {
    return Reg(kClasses, type + "|shell|Zelvane Scan|command", "");
  }
  // The verb keys of ours in the saved registry, one line each.
  std::string VerbKeys() {
    machine_->Save();
    std::string keys;
    for (const auto& file : std::filesystem::directory_iterator(folder_ + "/registry/95")) {
      std::ifstream in(file.path());
      std::string line;
      while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find("\\shell\\Zelvane Scan\\command]") != std::string::npos) keys += line + "\n";
      }
    }
    return keys;
  }
};

TEST_F(ShellExtensionsTest, FixedVerbsAndArchivesByTheirTypes) {
  Make();
  SetReg(kClasses, ".ZIP", "", "ArcType");
  SetReg(kClasses, "ArcType|shell|open|command", "", "ARC.EXE %1");
  Install(1);
  for (const char* type : {"comfile", "exefile", "Drive", "Directory", "ArcType", "zvcomp"})
    EXPECT_EQ(Verb(type), kCommand) << type;
  // The menu shows the key's name: the verb key has no default value.
  EXPECT_EQ(Reg(kClasses, "exefile|shell|Zelvane Scan", ""), "<none>");
  EXPECT_EQ(Reg(kClasses, ".ZIP", ""), "ArcType");
  EXPECT_EQ(Reg(kClasses, "ArcType|shell|open|command", ""), "ARC.EXE %1");
  // .ARJ was not registered: it gets the product's own type.
  EXPECT_EQ(Reg(kClasses, ".ARJ", ""), "zvcomp");
  EXPECT_EQ(Reg(kClasses, "zvcomp", ""), "<none>");
  // The fixed keys are written in their order, then .ARJ's, then .ZIP's.
  const std::string t = Transcript();
  std::size_t at = 0;
  for (const char* key : {"comfile\\shell", "exefile\\shell", "Drive\\shell", "Directory\\shell",
                          "zvcomp\\shell", "ArcType\\shell"}) {
    const std::size_t next = t.find(key, at);
    ASSERT_NE(next, std::string::npos) << key << "\n" << t;
    at = next;
  }
}

TEST_F(ShellExtensionsTest, EmptyOrLongArchiveTypes) {
  Make();
  SetReg(kClasses, ".ARJ", "", "");
  SetReg(kClasses, ".ZIP", "", "Archiver.Document.Nine");
  Install(1);
  EXPECT_EQ(Reg(kClasses, ".ARJ", ""), "zvcomp");
  EXPECT_EQ(Verb("zvcomp"), kCommand);
  // A type name longer than 13 characters gets the verb under its whole name.
  EXPECT_EQ(Verb("Archiver.Document.Nine"), kCommand);
  EXPECT_EQ(Reg(kClasses, ".ZIP", ""), "Archiver.Document.Nine");
  EXPECT_FALSE(KeyExists(kClasses, "Archiver.Docu"));
}

TEST_F(ShellExtensionsTest, NotWantedLeavesEverything) {
  Make();
  SetReg(kClasses, "exefile|shell|Zelvane Scan|command", "", "C:\\OLD\\ZV32.EXE /Zv32Scan%1");
  Install(0);
  EXPECT_EQ(Verb("exefile"), "C:\\OLD\\ZV32.EXE /Zv32Scan%1");
  EXPECT_FALSE(KeyExists(kClasses, "comfile|shell|Zelvane Scan"));
  EXPECT_FALSE(KeyExists(kClasses, ".ARJ"));
}

TEST_F(ShellExtensionsTest, ASecondInstallationLeavesOneSet) {
  Make();
  SetReg(kClasses, ".ZIP", "", "ArcType");
  Install(1);
  const std::string first = VerbKeys();
  Install(1);
  EXPECT_EQ(VerbKeys(), first);
  EXPECT_EQ(first,
            "[HKEY_CLASSES_ROOT\\exefile\\shell\\Zelvane Scan\\command]\n"
            "[HKEY_CLASSES_ROOT\\comfile\\shell\\Zelvane Scan\\command]\n"
            "[HKEY_CLASSES_ROOT\\Drive\\shell\\Zelvane Scan\\command]\n"
            "[HKEY_CLASSES_ROOT\\Directory\\shell\\Zelvane Scan\\command]\n"
            "[HKEY_CLASSES_ROOT\\zvcomp\\shell\\Zelvane Scan\\command]\n"
            "[HKEY_CLASSES_ROOT\\ArcType\\shell\\Zelvane Scan\\command]\n");
  EXPECT_EQ(Verb("ArcType"), kCommand);
}

}  // namespace
