// ZVRESCUE.DLL, the rescue library. The program loads it at run time from
// the install directory by file name and calls its two exports by name (C
// calling convention, undecorated); it is never linked into the program. The
// simulator offers the same functions as a built-in library of that name.
#pragma once

#include <cstdint>

#include "platform/port.h"
#include "services/export.h"

#if defined(ZVRESCUE_BUILD)
#define ZVRESCUE_API extern "C" ZV_DLLEXPORT
#else
#define ZVRESCUE_API extern "C"
#endif

constexpr const char kRescueLibrary[] = "ZVRESCUE.DLL";
constexpr const char kRescueCreateExport[] = "RescueCreate";
constexpr const char kEmergencyDiskExport[] = "CreateEmergencyDisk";
using RescueCreateProc = int (*)(char drive, std::int32_t reserved, port::Instance instance);
using EmergencyDiskProc = int (*)(char drive, port::Window owner, port::Instance instance);

// Writes the rescue information of hard disk C: to the diskette in `drive`
// ('A' or 'B'): "part.inf" (the first hard disk's partition table),
// "boot.inf" (C:'s boot record) and "cmos.inf" (the machine's setup as the
// system reports it). 1 when all three were written whole; 0 when the
// diskette could not be written or the system refused a read (what could be
// read is on the diskette, and each file says what is missing). `reserved`
// is 0.
ZVRESCUE_API int RescueCreate(char drive, std::int32_t reserved, port::Instance instance);

// Writes the emergency diskette to `drive`: copies of the start-up files that
// a damaged system needs to start again, and a list of what is there.
// Nonzero when written, 0 when not.
ZVRESCUE_API int CreateEmergencyDisk(char drive, port::Window owner, port::Instance instance);
