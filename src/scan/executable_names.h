// Which files of the system areas the scan gives to the signature engine:
// those whose names end in one of the executable extensions.
#pragma once

// The extension key of a bare file name: the last dot within the name's
// last four characters and up to three characters after it, closed with
// dots to five characters ("KERNEL32.DLL" gives ".DLL.", "X.C" gives
// ".C.."), or ".." when there is no such dot. `key` holds six characters.
void GetExtensionKey(const char* name, char* key);

// 1 when the name's extension key, upper-cased, is one of the executable
// extensions, else 0.
int IsExecutableName(const char* name);
