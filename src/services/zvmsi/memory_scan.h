// ZVMSI32.DLL, the memory-scan library. The program loads it at run time by
// file name and calls it through the export "InitiateMemoryScan"; it is never
// linked into the program. The simulator offers the same function as a
// built-in library of that name.
#pragma once

#include <cstdint>

#include "services/export.h"

#if defined(ZVMSI_BUILD) && !defined(ZVMSI_WITHOUT_EXPORT)
#define ZVMSI_API extern "C" ZV_DLLEXPORT
#else
#define ZVMSI_API extern "C"
#endif

// The export's name and type, as the program looks it up (C calling
// convention, undecorated).
constexpr const char kMemoryScanExport[] = "InitiateMemoryScan";
using MemoryScanProc = std::int16_t (*)(std::int32_t option);

// Scans memory for active viruses: 0 when memory is clean and setup may go
// on, nonzero when it must stop (the library then says why itself). The
// option is reserved and the program passes 0.
ZVMSI_API std::int16_t InitiateMemoryScan(std::int32_t option);
