// A simulated machine with the product installed in C:\ZV\, for the
// optional components.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "frame/registry_layout.h"
#include "frame/setup_state.h"
#include "services/zvcfg/zvcfg.h"
#include "support/machine_fixture.h"

class ComponentsTest : public MachineTest {
 protected:
  static constexpr const char* kInstallDir = "C:\\ZV\\";
  static constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

  // Makes the machine with the install directory, and remembers the edition
  // Type (none when empty). machine.ini may still be changed afterwards.
  void Install(sim::MachineKind kind, const std::string& type = "") {
    Make(kind);
    std::filesystem::create_directories(folder_ + "/disk/C/ZV");
    type_ = type;
  }
  // One process of the program: the installation's setup state, then `body`.
  void Stage(const std::function<void()>& body) {
    Run([&] {
      if (!type_.empty()) AddRegistryValue(port::HkeyCurrentUser, kUserVendorKey, kTypeValue, type_.c_str());
      std::string(kInstallDir).copy(InstallDir, sizeof InstallDir - 1);
      body();
    });
  }

  // The transcript's lines that begin with one of `prefixes`, in order.
  std::vector<std::string> TranscriptLines(const std::vector<std::string>& prefixes) const {
    std::vector<std::string> out;
    std::istringstream in(Transcript());
    std::string line;
    while (std::getline(in, line))
      for (const std::string& p : prefixes)
        if (line.rfind(p, 0) == 0) {
          out.push_back(line);
          break;
        }
    return out;
  }
  // The control lines that follow the first line beginning with `header`.
  std::vector<std::string> ControlsAfter(const std::string& header) const {
    std::vector<std::string> out;
    std::istringstream in(Transcript());
    std::string line;
    bool inside = false;
    while (std::getline(in, line)) {
      if (inside && line.rfind("  ", 0) != 0) break;
      if (inside) out.push_back(line);
      if (line.rfind(header, 0) == 0) inside = true;
    }
    return out;
  }
  std::string type_;

  std::string RegValue(std::uint32_t root, const std::string& key, const std::string& name) const {
    std::string value;
    return machine_->ReadRegistry(root, key, name, value) ? value : "<none>";
  }
};
