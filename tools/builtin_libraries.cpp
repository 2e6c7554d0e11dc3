#include "builtin_libraries.h"

#include <cstdint>

#include "platform/sim/sim.h"
#include "services/zvmsi/memory_scan.h"

namespace {

// ZVMSI32.DLL's scan. Memory is clean unless the machine says otherwise:
// machine.ini's [Memory] ActiveVirus=yes stands for a virus active in memory,
// which the library finds and reports itself.
std::int16_t MachineMemoryScan(std::int32_t option) {
  if (sim::MachineSetting("Memory", "ActiveVirus", "no") == "yes") return 1;
  return InitiateMemoryScan(option);
}

}  // namespace

void RegisterBuiltinLibraries() {
  MemoryScanProc scan = MachineMemoryScan;
  sim::RegisterLibraryExport("ZVMSI32.DLL", kMemoryScanExport, reinterpret_cast<void*>(scan));
}
