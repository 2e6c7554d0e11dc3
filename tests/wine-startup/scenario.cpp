#include "scenario.h"

#include <cstdio>

#include "components/diskettes.h"
#include "components/startup_components.h"
#include "frame/registry_layout.h"
#include "frame/setup_state.h"
#include "services/zvcfg/zvcfg.h"

namespace {

std::string RunValue(const char* name) {
  char value[260] = "<none>";
  GetRegValue(port::HkeyLocalMachine, kRunKey, name, value, sizeof value);
  return std::string(name) + "=" + value + "\n";
}

// The first bytes of the configuration file, in hexadecimal.
std::string RecordBytes(const char* path) {
  const port::File file =
      port::OpenFile(path, port::GenericRead, port::ShareRead, port::OpenExisting);
  if (file == port::InvalidFile) return "no " + std::string(path) + "\n";
  unsigned char bytes[8] = {};
  const std::uint32_t got = port::ReadFrom(file, bytes, sizeof bytes);
  port::CloseFile(file);
  std::string out = "record:";
  for (std::uint32_t i = 0; i < got; ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02x", bytes[i]);
    out += hex;
  }
  return out + "\n";
}

std::string Fields() {
  char line[96];
  std::snprintf(line, sizeof line,
                "online %d scheduler %d toolbar %d emergency %d rescue %d\n",
                WantOnlineProtection, WantScheduler, WantToolbar, WantEmergencyDisk,
                WantRescueDisk);
  return line;
}

}  // namespace

std::string RunComponentsCase(const std::string& kase) {
  std::snprintf(InstallDir, sizeof InstallDir, "%s", "C:\\ZV\\");
  if (kase == "startup") {
    RunStartupComponentsDialog();
    std::string out = Fields();
    RegisterStartupPrograms();
    return out + RunValue("Zelvane Scheduler") + RunValue("Zelvane ToolBar") +
           RunValue("Zelvane On-Line Protection") +
           RecordBytes(port::SystemKind() == 1 ? "C:\\ZV\\ZV95.CNF" : "C:\\ZV\\ZVNT.CNF");
  }
  if (kase == "rescue" || kase == "emergency" || kase == "both") {
    WantRescueDisk = kase != "emergency";
    WantEmergencyDisk = kase != "rescue";
    MakeDiskettes();
    return "FloppyDrive " + std::to_string(FloppyDrive) + "\n";
  }
  if (kase == "scheduler") {
    WantScheduler = 1;
    OfferScheduler();
    return "the scheduler offer is over\n";
  }
  return "";
}
