// zvengine: the product's signature engine. InitScan loads the signature
// index ZV.INX; each scanner then looks for the index's signatures of its
// kind in one open file and fills an Index record.
#pragma once

#include <cstdint>

#include "platform/port.h"
#include "services/export.h"

#ifdef ZVENGINE_BUILD
#define ZVENGINE_API extern "C" ZV_DLLEXPORT
#else
#define ZVENGINE_API extern "C" ZV_DLLIMPORT
#endif

// A scanner's result: the detected virus's entry in ZV.INX and its id;
// both -1 when the scanner found nothing.
struct Index {
  std::int16_t entry;
  std::int16_t virusId;
};
static_assert(sizeof(Index) == 4, "the scan result is a 4-byte record");

// 1 when the index was read whole and is valid; anything else leaves the
// engine stopped, and every scanner then reports a clean file.
ZVENGINE_API int InitScan(const char* indexPath);
ZVENGINE_API void EndScan();

// The scanners of one file are called one after the other on the same
// handle; the file is read once for all of them. Each leaves the file
// positioned at its end.
ZVENGINE_API void ScanTopViruses(port::File file, Index* result);     // the start of the file
ZVENGINE_API void ScanBottViruses(port::File file, Index* result);    // the end of the file
ZVENGINE_API void ScanPolyViruses(port::File file, Index* result);    // wide regions, gaps
ZVENGINE_API void ScanPEViruses(port::File file, Index* result);      // around a PE entry point
