// Which names the walk gives to the engine, by their extension keys.
#include <gtest/gtest.h>

#include "scan/executable_names.h"

namespace {

const struct {
  const char* name;
  const char* key;
  int executable;
} kNames[] = {
    {"KERNEL32.DLL", ".DLL.", 1}, {"msdos.sys", ".sys.", 1}, {"WIN.INI", ".INI.", 0},
    {"X.C", ".C..", 0},           {"FILE.", "...", 0},       {"README", "..", 0},
    {"SETUP.EXE1", "..", 0},      {"A.EX", ".EX..", 0},      {"B.EXEC", "..", 0},
    {".COM", ".COM.", 1},         {"", "..", 0},             {"C.D.VxD", ".VxD.", 0},
    {"Setup.Exe", ".Exe.", 1},    {"UNINST.OVL", ".OVL.", 1}, {"X.DRV.INI", ".INI.", 0},
};

TEST(ExecutableNames, ExtensionKeysAndTheExecutableTest) {
  for (const auto& n : kNames) {
    char key[6] = "?????";
    GetExtensionKey(n.name, key);
    EXPECT_STREQ(key, n.key) << n.name;
    EXPECT_EQ(IsExecutableName(n.name), n.executable) << n.name;
  }
}

}  // namespace
