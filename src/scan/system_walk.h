// The walk over the system areas: the command interpreter and the
// executable files of the Windows directory and of its SYSTEM and COMMAND
// subdirectories.
#pragma once

// 1 when any scanned file was reported infected, else 0. Every part is
// walked, whatever an earlier one found. The engine must have been started.
int ScanSystemAreas();

// Scans the executable files of one directory, given as a full path ending
// in "*.*"; subdirectories are not entered. 1 when any was reported
// infected, else 0.
int ScanDirectory(const char* pattern);
