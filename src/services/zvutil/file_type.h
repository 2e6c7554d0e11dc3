// zvutil's file classification for the scanners: which kind of program a
// file is, and where in the file that program starts.
#pragma once

#include <cstdint>

#include "platform/port.h"
#include "services/export.h"

#ifndef ZVUTIL_API
#ifdef ZVUTIL_BUILD
#define ZVUTIL_API extern "C" ZV_DLLEXPORT
#else
#define ZVUTIL_API extern "C" ZV_DLLIMPORT
#endif
#endif

// The code the scan passes before it opens a file.
constexpr std::uint32_t kScanFileOption = 0x8203;

// Tells the resident protection that the scan is about to open `path` (a
// buffer of `length` characters and 15 to spare), so that the scan's own
// reads are not checked again. Setup restarts Windows before it scans when
// the protection is loaded, so there is nobody to tell: the call checks its
// arguments and leaves the buffer as it is. 1 for the scan's code with a
// path that fits its length, else 0.
ZVUTIL_API int SetDriverOptions(std::uint32_t code, char* path, int length);

// The file's type: 1 a Win32 (PE) program, 2 a 16-bit Windows (NE) program,
// 3 a DOS program, 4 anything without a program header (a COM image, a
// driver, data), 0 when nothing can be read. The top scanner skips 1 and 2.
ZVUTIL_API std::int16_t CheckFileType(port::File file);

// The file offset of the program's first instruction, or -1 when it has
// none (a library, a broken header). A COM image starts at 0, or where its
// first jump leads.
ZVUTIL_API std::int32_t GetVirExeStart(port::File file, std::int16_t type);

// Both read the first bytes of the file and put the file back where they
// found it, which for the scan is its start.
