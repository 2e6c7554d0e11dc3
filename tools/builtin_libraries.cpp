#include "builtin_libraries.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/sim/sim.h"
#include "platform/sim/text.h"
#include "services/zvmsi/memory_scan.h"
#include "services/zvrescue/rescue.h"

namespace {

// ZVMSI32.DLL's scan. Memory is clean unless the machine says otherwise:
// machine.ini's [Memory] ActiveVirus=yes stands for a virus active in memory,
// which the library finds and reports itself.
std::int16_t MachineMemoryScan(std::int32_t option) {
  if (sim::SameText(sim::MachineSetting("Memory", "ActiveVirus", "no"), "yes")) return 1;
  return InitiateMemoryScan(option);
}

// ZVRESCUE.DLL's exports write the diskettes for real, unless machine.ini's
// [Rescue Library] gives an export a result to return without touching a
// disk (RescueCreate=-1, CreateEmergencyDisk=0), as the test copies of the
// Windows build do.
bool FixedResult(const char* exportName, int& result) {
  const std::string fixed = sim::MachineSetting("Rescue Library", exportName, "");
  if (fixed.empty()) return false;
  result = std::atoi(fixed.c_str());
  return true;
}

int MachineRescueCreate(char drive, std::int32_t reserved, port::Instance instance) {
  int result = 0;
  return FixedResult(kRescueCreateExport, result) ? result
                                                  : RescueCreate(drive, reserved, instance);
}

int MachineEmergencyDisk(char drive, port::Window owner, port::Instance instance) {
  int result = 0;
  return FixedResult(kEmergencyDiskExport, result) ? result
                                                   : CreateEmergencyDisk(drive, owner, instance);
}

}  // namespace

void RegisterBuiltinLibraries() {
  MemoryScanProc scan = MachineMemoryScan;
  sim::RegisterLibraryExport("ZVMSI32.DLL", kMemoryScanExport, reinterpret_cast<void*>(scan));
  RescueCreateProc rescue = MachineRescueCreate;
  EmergencyDiskProc emergency = MachineEmergencyDisk;
  sim::RegisterLibraryExport(kRescueLibrary, kRescueCreateExport, reinterpret_cast<void*>(rescue));
  sim::RegisterLibraryExport(kRescueLibrary, kEmergencyDiskExport,
                             reinterpret_cast<void*>(emergency));
}
