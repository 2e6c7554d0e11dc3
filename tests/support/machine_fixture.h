// A fresh simulated machine per test, in a folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/port.h"
#include "platform/sim/sim.h"

class MachineTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Makes the machine (a Windows 95 one unless told otherwise); files and
  // machine.ini settings may be added before the first run opens it.
  void Make(sim::MachineKind kind = sim::MachineKind::Windows95);
  void SetMachineIni(const std::string& section, const std::string& key, const std::string& value);
  void RemoveMachineIni(const std::string& section, const std::string& key);
  void PutFile(const std::string& windowsPath, const std::string& content);
  bool ReadFile(const std::string& windowsPath, std::string& content);
  void Answer(const std::string& script);

  // Opens the machine, booted into `system` (empty: machine.ini's choice).
  sim::Machine& Open(const std::string& system = "");
  // Runs ZVSET with an argument text; the machine is opened when it is not yet.
  sim::RunResult Zvset(const std::string& argumentText);
  // Runs any body as one process of the program.
  sim::RunResult RunProcess(const std::function<void()>& body);
  // The transcript so far, one line each.
  std::string Transcript() const;

  void EditMachineIni(const std::string& section, const std::string& key, const char* value);

  std::string folder_;
  std::unique_ptr<sim::Machine> machine_;
};
