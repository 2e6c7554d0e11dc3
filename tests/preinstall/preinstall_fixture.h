// A simulated machine for the pre-install roads, with the registry read and
// written by key paths as the product writes them ('|' between levels).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/port.h"
#include "frame/setup_state.h"
#include "support/machine_fixture.h"

class PreinstallTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    // Windows runs ZVSET's RunOnce entry through its file.
    sim::RegisterProgram("ZVSET.EXE", [](const std::string& arguments) {
      return ZvsetMain(0x400000, arguments.c_str());
    });
  }

  // One process of the program running `body`, from the initial setup state.
  sim::RunResult Stage(const std::function<void()>& body) {
    return RunProcess([&] {
      ResetSetupState();
      body();
    });
  }

  static std::string Backslashed(std::string key) {
    for (char& c : key)
      if (c == '|') c = '\\';
    return key;
  }
  // The value, or "<none>" when it is missing.
  std::string Reg(std::uint32_t root, const std::string& key, const std::string& name) {
    std::string value;
    return Open().ReadRegistry(root, Backslashed(key), name, value) ? value : "<none>";
  }
  void SetReg(std::uint32_t root, const std::string& key, const std::string& name,
              const std::string& value) {
    Open().WriteRegistry(root, Backslashed(key), name, value);
  }
  bool KeyExists(std::uint32_t root, const std::string& key) {
    return Open().RegistryKeyExists(root, Backslashed(key));
  }
  // An entry of an INI file, or "<none>".
  std::string Ini(const std::string& file, const std::string& section, const std::string& key) {
    char buffer[512] = "";
    RunProcess([&] {
      port::ReadProfileString(file.c_str(), section.c_str(), key.c_str(), "<none>", buffer,
                              sizeof buffer);
    });
    return buffer;
  }
  // How often `part` occurs in the transcript.
  int Count(const std::string& part) const {
    const std::string text = Transcript();
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
      ++n;
    return n;
  }
};
