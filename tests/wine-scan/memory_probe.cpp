// The memory stage on the real Win32 API: `ScanMemory` with option 0, as the
// scan dialog calls it, with whichever ZVMSI32.DLL lies beside the probe (or
// none). The robot answers the "Error" box; the result goes to OUTPUT.
//
// Usage: memory_probe OUTPUT
#include <fstream>

#include "scan/memory_stage.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const int result = ScanMemory(0);
  std::ofstream(argv[1], std::ios::binary) << "ScanMemory: " << result << "\n";
  return 0;
}
