// The memory stage of the pre-install scan, through the memory-scan library
// ZVMSI32.DLL, loaded at run time.
#pragma once

#include <cstdint>

// 1 to go on with the installation, 0 to stop it: the library is missing or
// lacks its export (both said in an "Error" box), or it found a virus active
// in memory (which the library says itself). The library stays loaded.
int ScanMemory(std::int32_t option);
