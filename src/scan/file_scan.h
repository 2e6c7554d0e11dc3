// The road of one file through the signature engine: classification, up to
// four scanners in an order set by the file's type and entry offset, and the
// report of the first detection.
#pragma once

#include "platform/port.h"
#include "scan/virus_report.h"

// 1 when a scanner found a virus in the file (the user has been told), 0
// when it is clean or cannot be opened. The engine must have been started
// and ScanDialogWindow must hold the open scan dialog. The caller's path is
// left as it was.
int ScanFile(const char* path);

// Runs the scanner of `kind` on the open file. After a detection the file
// is closed, the report shown, and the result is 1; otherwise 0 and the
// file stays open.
int RunScanner(port::File file, ScanKind kind, const char* path);
