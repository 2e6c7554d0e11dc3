// A Windows 95 machine with the product installed in C:\Program Files\AV,
// known to the program by its short form C:\PROGRA~1\AV\.
#pragma once

#include <cstring>
#include <functional>
#include <string>

#include "frame/setup_state.h"
#include "support/fault_loop.h"

class PostinstallTest : public FaultLoopTest {
 protected:
  static constexpr const char* kInstallLong = "C:\\Program Files\\AV\\";
  static constexpr const char* kInstallShort = "C:\\PROGRA~1\\AV\\";

  void MakeInstalled() {
    Make();
    PutFile(std::string(kInstallLong) + "ZV32.EXE", "scanner");
  }
  // One process with InstallDir set as the post-install stage sets it.
  void Installed(const std::function<void()>& body) {
    Run([&] {
      std::strcpy(InstallDir, kInstallShort);
      body();
    });
  }
  std::string File(const std::string& path) {
    std::string bytes;
    return ReadFile(path, bytes) ? bytes : "<missing>";
  }
  int Count(const std::string& part) const {
    const std::string text = Transcript();
    int n = 0;
    for (std::size_t at = 0; (at = text.find(part, at)) != std::string::npos; at += part.size()) ++n;
    return n;
  }
};
