// A fresh simulated machine per test, in a folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/port.h"
#include "platform/sim/sim.h"

class MachineTest : public ::testing::Test {
 protected:
  MachineTest();
  void TearDown() override;

  // Makes the machine (a Windows 95 one unless told otherwise); files and
  // machine.ini settings may be added before the first run opens it.
  void Make(sim::MachineKind kind = sim::MachineKind::Windows95);
  void SetMachineIni(const std::string& section, const std::string& key, const std::string& value);
  void RemoveMachineIni(const std::string& section, const std::string& key);
  void PutFile(const std::string& windowsPath, const std::string& content);
  bool ReadFile(const std::string& windowsPath, std::string& content);
  void Answer(const std::string& script);
  // Makes a folder on the machine's disk.
  void MakeFolder(const std::string& windowsPath);

  // Makes the machine with `settings` in its machine.ini and boots `system`.
  struct IniEntry {
    std::string section, key, value;
  };
  void Boot(sim::MachineKind kind, const std::string& system = "",
            const std::vector<IniEntry>& settings = {});
  // Saves the machine and boots it again, into `system`.
  void Reboot(const std::string& system);

  // Opens the machine, booted into `system` (empty: machine.ini's choice).
  sim::Machine& Open(const std::string& system = "");
  // Runs ZVSET with an argument text; the machine is opened when it is not yet.
  sim::RunResult Zvset(const std::string& argumentText);
  // Runs any body as one process of the program, from the initial setup state.
  sim::RunResult RunProcess(const std::function<void()>& body);
  // The same, expecting the process to end normally.
  void Run(const std::function<void()>& body);
  // The transcript so far, one line each.
  std::string Transcript() const;
  // Every file of the machine folder, by its path in the folder, with its bytes.
  std::map<std::string, std::string> FolderFiles() const;

  // The booted system's registry, '\' between levels; "" when missing.
  std::string Registry(std::uint32_t root, const std::string& key, const std::string& name) const;
  bool HasValue(std::uint32_t root, const std::string& key, const std::string& name) const;

  void EditMachineIni(const std::string& section, const std::string& key, const char* value);

  std::string folder_;
  std::unique_ptr<sim::Machine> machine_;
};

// Files and profile entries through the port, inside a run.
void WriteWholeFile(const char* path, const std::string& bytes);
std::string ReadWholeFile(const char* path);  // "<missing>" when it cannot be opened
std::string Profile(const char* file, const char* section, const char* key);
