// A fresh simulated machine per test, and small helpers that run on it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/sim/sim.h"

class MachineTest : public ::testing::Test {
 protected:
  struct IniEntry {
    std::string section, key, value;
  };
  // Makes a machine of `kind` in a folder of its own, puts `settings` into its
  // machine.ini, and boots `system`.
  void Boot(sim::MachineKind kind, const std::string& system = "",
            const std::vector<IniEntry>& settings = {});
  // Makes a folder on the machine's disk.
  void MakeFolder(const std::string& windowsPath);
  // Boots the same machine again, into `system`.
  void Reboot(const std::string& system);
  // Runs `body` as one process on the machine; expects it to exit normally.
  void Run(const std::function<void()>& body);
  sim::RunResult RunForResult(const std::function<void()>& body);

  // Registry checks with '\' between levels.
  std::string Registry(std::uint32_t root, const std::string& key, const std::string& name) const;
  bool HasValue(std::uint32_t root, const std::string& key, const std::string& name) const;

  std::string folder_;
  std::unique_ptr<sim::Machine> machine_;
};

// Files through the port, inside a run.
void WriteWholeFile(const char* path, const std::string& bytes);
std::string ReadWholeFile(const char* path);
// A profile entry, "" when missing.
std::string Profile(const char* file, const char* section, const char* key);
