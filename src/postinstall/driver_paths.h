// The install path written over the path markers of the resident
// protection's driver files VIGARD.SYS and VIGARD.DRV.
#pragma once

#include <cstdint>

// A marker: 19 copies of one letter, 'z' or 'y'.
constexpr int kMarkerLength = 19;

// Makes the three patches in order: VIGARD.SYS 'z' with the driver's path,
// VIGARD.SYS 'y' and VIGARD.DRV 'z' with the signature index's path. An
// install directory whose short form does not fit 79 characters is not
// patched at all: the markers stay.
void PatchDriverPaths();

// Writes `patch` with its zero byte over the first occurrence of `marker` in
// the file, after clearing its read-only attribute. 1 when the marker was
// found and every byte written, else 0 (the file is then as it was).
int PatchFile(const char* path, const char* marker, const char* patch);

// Searches the open file `file` for `marker` in 512-byte windows, each
// starting kMarkerLength bytes before the end of the one before. 1 and the
// offset of the first occurrence, or 0 when the file does not hold it or a
// read comes up short.
int FindMarker(void* file, const char* marker, long& offset);
